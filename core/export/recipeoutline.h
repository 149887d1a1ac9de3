#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What an exported recipe says about itself, read from its Markdown by the
// core's own readers: the title (else the file's name), the description before
// the first section, the listed ingredient lines, the steps with the
// sub-heading they stand under, the tags, the metadata and the pictures it
// names, in order.
struct RecipeOutline
{
    struct Step
    {
        QString section;
        QString text;
    };

    QString title;
    QString description; // plain text, paragraphs separated by blank lines
    QStringList ingredients;
    QList<Step> steps;
    QStringList tags;
    QMap<QString, QStringList> metadata; // every key but "tags" → its values
    QStringList pictures;                // the references as written, in order

    // The first value of a metadata key, or an empty string.
    QString meta(const QString& key) const;

    // `text` is the recipe's content, `path` where it was read (for its name).
    static RecipeOutline read(const QString& text, const QString& path);

private:
    static QString descriptionOf(const QString& text);
    static QStringList ingredientLinesOf(const QByteArray& utf8);
};
