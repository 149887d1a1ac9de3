#pragma once

#include "browse/scanneradapter.h"
#include "search/recipefinder.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class IngredientNameIndex;
class QStandardItemModel;

// The desktop's Find capability for the touch pages: recipes whose text
// holds every typed word, that use every chosen ingredient and carry every
// chosen tag, then, with two or more chosen ingredients, those that lack just
// one of them. The core's finder answers on its own thread; this object
// follows the scanner's publications and keeps what the user typed and chose.
class RecipeSearch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ScannerAdapter* scanner READ scanner WRITE setScanner NOTIFY scannerChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QStringList ingredients READ ingredients NOTIFY ingredientsChanged)
    Q_PROPERTY(QStringList tags READ tags NOTIFY tagsChanged)
    Q_PROPERTY(QObject* results READ results CONSTANT)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
public:
    // Roles of `results`: display (the title), path, missing ("missing: leek"
    // or empty).
    enum Role { PathRole = Qt::UserRole + 1, MissingRole };

    explicit RecipeSearch(QObject* parent = nullptr);
    ~RecipeSearch() override;

    ScannerAdapter* scanner() const;
    void setScanner(ScannerAdapter* scanner);
    QString text() const { return m_text; }
    void setText(const QString& text);
    QStringList ingredients() const { return m_ingredients; }
    QStringList tags() const { return m_tags; }
    QObject* results() const;
    QString status() const { return m_status; }

    // Names of the collection's ingredients or tags that a word of them
    // begins with `prefix`, without regard to case and accents; at most
    // `limit`, none already chosen.
    Q_INVOKABLE QStringList ingredientSuggestions(const QString& prefix, int limit = 8);
    Q_INVOKABLE QStringList tagSuggestions(const QString& prefix, int limit = 8);
    Q_INVOKABLE void chooseIngredient(const QString& name);
    Q_INVOKABLE void dropIngredient(const QString& name);
    Q_INVOKABLE void chooseTag(const QString& name);
    Q_INVOKABLE void dropTag(const QString& name);

signals:
    void scannerChanged();
    void textChanged();
    void ingredientsChanged();
    void tagsChanged();
    void statusChanged();

private:
    void refreshCollection();
    void search();
    void showResult(const RecipeFinder::Result& result);
    void setStatus(const QString& status);
    bool hasConditions() const;
    QList<RecipeFinder::Choice> ingredientChoices();
    QList<RecipeFinder::Choice> tagChoices();
    QStringList suggestions(const QStringList& names, const QStringList& folded,
                            const QStringList& chosen, const QString& prefix, int limit);

    QPointer<ScannerAdapter> m_scanner;
    std::shared_ptr<QStandardItemModel> m_titleModel;
    std::shared_ptr<QStandardItemModel> m_ingredientModel;
    // The names recipes list, as the scan read them; the ingredient index's
    // names where the scan published none.
    std::shared_ptr<const IngredientNameIndex> m_listedIngredients;
    std::shared_ptr<QStandardItemModel> m_tagModel;
    QStringList m_ingredientNames;
    QStringList m_foldedIngredients;
    QStringList m_tagNames;
    QStringList m_foldedTags;
    QString m_text;
    QStringList m_ingredients;
    QStringList m_tags;
    std::optional<QList<RecipeFinder::Choice>> m_ingredientChoices;
    std::optional<QList<RecipeFinder::Choice>> m_tagChoices;
    QString m_status;
    std::uint64_t m_expectedResult = 0;
    std::unique_ptr<QStandardItemModel> m_results;
    // Last, so that it stops its thread before the rest goes.
    std::unique_ptr<RecipeFinder> m_finder;
};
