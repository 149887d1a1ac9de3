#pragma once

#include "recipe/ingredientreading.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// The ingredients a recipe lists, as people write them: the lines of its
// ingredients sections that the format accepts, and every other bullet there
// ("* salt", "+ 2 eggs", "- 白蘑菇 200 克"); prose between them is left out.
// Cooking, shopping and finding by ingredient all read them here.
class IngredientSections
{
public:
    // Every line of the ingredients sections, from the device's position to
    // its end, in the pieces and sections in which the parser reads them.
    static void forEachLine(QIODevice* device, const std::function<void(QByteArrayView)>& handle);

    // Follows a recipe's lines in the order they are read and tells which
    // belong to its ingredients sections, so that a reader already reading
    // the lines for something else needs no second read.
    class LineFollower
    {
    public:
        // Whether `line` (as read) is a line of an ingredients section; a
        // byte-order mark in front of the first line is taken off `line`.
        bool follow(QByteArrayView& line);

    private:
        bool m_inIngredients = false;
        bool m_firstLine = true;
    };

    // The listed ingredients, in file order; a device that cannot be read
    // lists none.
    static QList<IngredientReading> read(QIODevice* device);

    // One line of an ingredients section, when it lists an ingredient; the
    // line as read (UTF-8) or as text.
    static std::optional<IngredientReading> readListed(QByteArrayView line);
    static std::optional<IngredientReading> readListed(const QString& line);
    // Every ingredient such a line lists (see readIngredientsOnLine).
    static QList<IngredientReading> readAllListed(const QString& line);
};
