#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

struct _xmlDoc;
struct _xmlNode;

// A page parsed by libxml2's HTML parser in recovery mode: never from the
// network, never loading entities or anything else the page names, with its
// errors kept quiet. Offers what the recipe readers need of the tree.
class HtmlTree
{
public:
    using Node = _xmlNode;

    explicit HtmlTree(const QByteArray& html);
    ~HtmlTree();
    HtmlTree(const HtmlTree&) = delete;
    HtmlTree& operator=(const HtmlTree&) = delete;

    bool isValid() const { return m_document != nullptr; }
    Node* root() const;

    // Every element below `from` (itself included) in document order.
    static QList<Node*> elements(Node* from);
    static QList<Node*> children(Node* node);
    // The parent element, or null at the root.
    static Node* parentOf(Node* node);
    static QString name(const Node* node); // lower case: "script", "h2"
    static bool isElement(const Node* node);
    static QString attribute(const Node* node, const char* name);
    static bool hasAttribute(const Node* node, const char* name);
    // The raw text of a node and its descendants (entities decoded).
    static QString text(const Node* node);
    // The text as a person reads it: blocks and line breaks become new lines,
    // script and style content is left out.
    static QString readableText(const Node* node);
    // As readableText(), with a blank between the fields a page keeps in
    // separate elements ("<span>4</span><span>eggs</span>": "4 eggs"), and
    // without the text of buttons, form controls and screen-reader labels.
    static QString fieldsText(const Node* node);

    // The text of an HTML fragment ("<b>1</b> cup &amp; more") as a person
    // reads it.
    static QString fragmentText(const QString& fragment);

private:
    struct Deleter
    {
        void operator()(_xmlDoc* document) const;
    };
    std::unique_ptr<_xmlDoc, Deleter> m_document;
};
