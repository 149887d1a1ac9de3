#pragma once

#include <QString>
#include <QStringList>

// A recipe's title as a page gives it, made the recipe's own: without the
// site's name ("Green Soup | Donna's Kitchen", "Lau Chingri recipe by Bong
// Eats", "Pierogi - Kuchnia Zosi" where the page names its site so), a
// rating ("(4.8/5)") or a leading or trailing word for "recipe" with its
// punctuation ("Receita: …", "Arretjescake – Recept").
class RecipeTitle
{
public:
    // `siteNames`: what the page calls its site (og:site_name,
    // application-name) and the name in its address ("donnahay" of
    // "www.donnahay.com.au").
    static QString cleaned(const QString& title, const QStringList& siteNames);
    // The name in an address: its longest label before the last, "www"
    // left out; empty for no address.
    static QString hostName(const QString& address);
    // Letters and digits only, folded: how site names are compared.
    static QString key(const QString& text);

private:
    static bool isSiteName(const QString& text, const QStringList& siteKeys);
    static QString withoutRecipeWord(const QString& title);
    static QString withoutSuffix(const QString& title, const QStringList& siteKeys);
};
