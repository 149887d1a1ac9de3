#include "import/htmltree.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QSet>
#include <QStringDecoder>

#include <mutex>

namespace {

void initialiseOnce()
{
    // libxml2 sets up its global tables on first use; doing it once before
    // any thread parses keeps the parser safe to use from several threads.
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

QString fromXml(const xmlChar* text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

bool isBlock(const QString& name)
{
    static const QSet<QString> blocks = {
        QStringLiteral("p"),  QStringLiteral("div"),     QStringLiteral("li"),
        QStringLiteral("br"), QStringLiteral("h1"),      QStringLiteral("h2"),
        QStringLiteral("h3"), QStringLiteral("h4"),      QStringLiteral("h5"),
        QStringLiteral("h6"), QStringLiteral("tr"),      QStringLiteral("ul"),
        QStringLiteral("ol"), QStringLiteral("section"), QStringLiteral("article"),
        QStringLiteral("dt"), QStringLiteral("dd"),      QStringLiteral("blockquote")};
    return blocks.contains(name);
}

bool isHidden(const QString& name)
{
    return name == QLatin1String("script") || name == QLatin1String("style") ||
           name == QLatin1String("noscript") || name == QLatin1String("template");
}

void collectReadable(const xmlNode* node, QString& out, int depth)
{
    // libxml2 limits the depth of the tree it builds (256 by default), so
    // the recursion is bounded; the check keeps it so if that ever changes.
    if (depth > 512)
        return;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            out += fromXml(child->content);
        } else if (child->type == XML_ELEMENT_NODE) {
            const QString name = HtmlTree::name(child);
            if (isHidden(name))
                continue;
            const bool block = isBlock(name);
            if (block)
                out += QLatin1Char('\n');
            collectReadable(child, out, depth + 1);
            if (block)
                out += QLatin1Char('\n');
        }
    }
}

// Elements whose text is no part of what they show: form controls, icons,
// text only for screen readers.
bool isWidget(const xmlNode* node)
{
    static const QSet<QString> widgets = {QStringLiteral("button"), QStringLiteral("input"),
                                          QStringLiteral("select"), QStringLiteral("textarea"),
                                          QStringLiteral("svg")};
    if (widgets.contains(HtmlTree::name(node)))
        return true;
    const QString classes = HtmlTree::attribute(node, "class");
    return classes.contains(QLatin1String("screen-reader")) ||
           classes.contains(QLatin1String("sr-only")) ||
           classes.contains(QLatin1String("visually-hidden"));
}

bool isInlineFormatting(const QString& name)
{
    static const QSet<QString> inlines = {
        QStringLiteral("a"),    QStringLiteral("b"),     QStringLiteral("strong"),
        QStringLiteral("i"),    QStringLiteral("em"),    QStringLiteral("u"),
        QStringLiteral("sup"),  QStringLiteral("sub"),   QStringLiteral("abbr"),
        QStringLiteral("mark"), QStringLiteral("small"), QStringLiteral("font")};
    return inlines.contains(name);
}

// Text pieces joined as a person reads them, with a blank between the
// fields that a page keeps in separate elements ("4" "eggs") unless
// punctuation follows or a blank is already there.
class FieldWriter
{
public:
    QString out;
    void separate() { m_pending = true; }
    void newLine()
    {
        out += QLatin1Char('\n');
        m_pending = false;
    }
    void text(const QString& piece)
    {
        if (piece.isEmpty())
            return;
        if (m_pending && !out.isEmpty() && !out.back().isSpace() &&
            out.back() != QLatin1Char('(') && !piece.front().isSpace() &&
            !QStringLiteral(",.;:!?)").contains(piece.front()))
            out += QLatin1Char(' ');
        m_pending = false;
        out += piece;
    }

private:
    bool m_pending = false;
};

void collectFields(const xmlNode* node, FieldWriter& out, int depth)
{
    if (depth > 512)
        return;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            out.text(fromXml(child->content));
        } else if (child->type == XML_ELEMENT_NODE) {
            const QString name = HtmlTree::name(child);
            if (isHidden(name) || isWidget(child))
                continue;
            const bool block = isBlock(name);
            const bool field = !block && !isInlineFormatting(name);
            if (block)
                out.newLine();
            else if (field)
                out.separate();
            collectFields(child, out, depth + 1);
            if (block)
                out.newLine();
            else if (field)
                out.separate();
        }
    }
}

// The charset a page declares in its meta tags, lower case; empty when none.
QString declaredCharset(HtmlTree::Node* root)
{
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) != QLatin1String("meta"))
            continue;
        const QString charset = HtmlTree::attribute(node, "charset").trimmed();
        if (!charset.isEmpty())
            return charset.toLower();
        if (HtmlTree::attribute(node, "http-equiv")
                .compare(QLatin1String("content-type"), Qt::CaseInsensitive) != 0)
            continue;
        const QString content = HtmlTree::attribute(node, "content").toLower();
        const qsizetype at = content.indexOf(QLatin1String("charset="));
        if (at >= 0)
            return content.mid(at + 8)
                .section(QLatin1Char(';'), 0, 0)
                .remove(QLatin1Char('"'))
                .trimmed();
    }
    return {};
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

} // namespace

void HtmlTree::Deleter::operator()(_xmlDoc* document) const
{
    xmlFreeDoc(document);
}

HtmlTree::HtmlTree(const QByteArray& html)
{
    initialiseOnce();
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR |
                        HTML_PARSE_NOWARNING | HTML_PARSE_NOBLANKS;
    if (html.isEmpty())
        return;
    // Bytes that are valid UTF-8 are read as such, whatever the page claims
    // (libxml2 would otherwise take a page without a charset for Latin-1);
    // anything else is decoded as the page's meta tag says, and as UTF-8
    // when it says nothing or says UTF-8 (libxml2 would switch to Latin-1 at
    // the first bad byte and show the rest as "Ã©").
    if (isValidUtf8(html)) {
        m_document.reset(
            htmlReadMemory(html.constData(), int(html.size()), nullptr, "UTF-8", options));
        return;
    }
    m_document.reset(htmlReadMemory(html.constData(), int(html.size()), nullptr, nullptr, options));
    QStringDecoder decoder(declaredCharset(root()).toLatin1().constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QByteArray utf8 = decoder.decode(html).operator QString().toUtf8();
    m_document.reset(htmlReadMemory(utf8.constData(), int(utf8.size()), nullptr, "UTF-8", options));
}

HtmlTree::~HtmlTree() = default;

HtmlTree::Node* HtmlTree::root() const
{
    return m_document ? xmlDocGetRootElement(m_document.get()) : nullptr;
}

QList<HtmlTree::Node*> HtmlTree::elements(Node* from)
{
    QList<Node*> out;
    if (!from)
        return out;
    // Iterative walk in document order: no recursion on hostile depths.
    Node* node = from;
    while (node) {
        if (node->type == XML_ELEMENT_NODE)
            out.append(node);
        if (node->children && node->type == XML_ELEMENT_NODE) {
            node = node->children;
            continue;
        }
        while (node && node != from && !node->next)
            node = node->parent;
        if (!node || node == from)
            break;
        node = node->next;
    }
    return out;
}

QList<HtmlTree::Node*> HtmlTree::children(Node* node)
{
    QList<Node*> out;
    for (Node* child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            out.append(child);
    }
    return out;
}

HtmlTree::Node* HtmlTree::parentOf(Node* node)
{
    Node* parent = node ? node->parent : nullptr;
    return parent && parent->type == XML_ELEMENT_NODE ? parent : nullptr;
}

QString HtmlTree::name(const Node* node)
{
    return node ? fromXml(node->name).toLower() : QString();
}

bool HtmlTree::isElement(const Node* node)
{
    return node && node->type == XML_ELEMENT_NODE;
}

QString HtmlTree::attribute(const Node* node, const char* name)
{
    if (!isElement(node))
        return {};
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    const QString out = fromXml(value);
    xmlFree(value);
    return out;
}

bool HtmlTree::hasAttribute(const Node* node, const char* name)
{
    return isElement(node) && xmlHasProp(node, reinterpret_cast<const xmlChar*>(name));
}

QString HtmlTree::text(const Node* node)
{
    if (!node)
        return {};
    xmlChar* content = xmlNodeGetContent(node);
    const QString out = fromXml(content);
    xmlFree(content);
    return out;
}

QString HtmlTree::readableText(const Node* node)
{
    QString out;
    if (node)
        collectReadable(node, out, 0);
    return out;
}

QString HtmlTree::fieldsText(const Node* node)
{
    FieldWriter out;
    if (node)
        collectFields(node, out, 0);
    return out.out;
}

QString HtmlTree::fragmentText(const QString& fragment)
{
    const HtmlTree tree(QByteArrayLiteral("<html><head><meta charset=\"utf-8\"></head><body>") +
                        fragment.toUtf8() + QByteArrayLiteral("</body></html>"));
    return readableText(tree.root());
}
