#include "pantry/pantrypane.h"

#include "document/panebuttons.h"
#include "pantry/pantryitemsmodel.h"
#include "pantry/pantrysession.h"
#include "recipe/ingredientreading.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

bool askWithMessageBox(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("Pantry"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

PantryPane::PantryPane(QWidget* parent)
    : QWidget(parent)
    , m_session(std::make_unique<PantrySession>())
    , m_ask(askWithMessageBox)
    , m_names(new QStringListModel(this))
{
    buildWidgets();
    connect(m_session.get(), &PantrySession::message, this, &PantryPane::notifySimple);
}

// The view goes before the session whose model it shows.
PantryPane::~PantryPane()
{
    delete m_items;
}

void PantryPane::buildWidgets()
{
    auto layout = std::make_unique<QVBoxLayout>();
    auto add = std::make_unique<QLineEdit>();
    add->setObjectName(QStringLiteral("addPantryItem"));
    add->setPlaceholderText(QStringLiteral("Add to the pantry: 500 g red lentils"));
    add->setClearButtonEnabled(true);
    m_completer = new QCompleter(m_names, add.get()); // owned by the field
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    add->setCompleter(m_completer);
    connect(add.get(), &QLineEdit::textEdited, this, &PantryPane::offerNames);
    connect(add.get(), &QLineEdit::returnPressed, this, &PantryPane::addItem);
    m_addField = add.get();
    layout->addWidget(add.release());

    auto items = std::make_unique<QListView>();
    items->setObjectName(QStringLiteral("pantryItems"));
    items->setModel(m_session->itemsModel());
    items->setWordWrap(true);
    auto* removeKey = new QShortcut(QKeySequence::Delete, items.get()); // owned by the view
    removeKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(removeKey, &QShortcut::activated, this, &PantryPane::removeCurrentItem);
    m_items = items.get();
    layout->addWidget(items.release(), 1);
    connect(m_items->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &PantryPane::showCurrentAmount);

    auto bottom = std::make_unique<QHBoxLayout>();
    auto amount = std::make_unique<QLineEdit>();
    amount->setObjectName(QStringLiteral("pantryAmount"));
    amount->setPlaceholderText(QStringLiteral("Amount; empty for enough"));
    connect(amount.get(), &QLineEdit::returnPressed, this, &PantryPane::changeCurrentAmount);
    m_amount = amount.get();
    bottom->addWidget(amount.release(), 1);
    QPushButton* set =
        addPaneButton(bottom.get(), QStringLiteral("Set amount"), QStringLiteral("setPantryAmount"),
                      QStringLiteral("document-edit"));
    connect(set, &QPushButton::clicked, this, &PantryPane::changeCurrentAmount);
    QPushButton* remove =
        addPaneButton(bottom.get(), QStringLiteral("Remove"), QStringLiteral("removePantryItem"),
                      QStringLiteral("list-remove"));
    connect(remove, &QPushButton::clicked, this, &PantryPane::removeCurrentItem);
    layout->addLayout(bottom.release());
    setLayout(layout.release());
    setFocusProxy(m_addField);
}

void PantryPane::setSearch(RecipeSearch* search)
{
    m_session->setSearch(search);
}

void PantryPane::setTakeOutQuestion(Question question)
{
    m_ask = std::move(question);
}

void PantryPane::setCollectionPath(const QString& path)
{
    m_session->setCollectionPath(path);
}

void PantryPane::addItem()
{
    if (m_session->add(m_addField->text()))
        m_addField->clear();
}

void PantryPane::removeCurrentItem()
{
    const QModelIndex current = m_items->currentIndex();
    if (current.isValid())
        m_session->remove(current.row());
}

void PantryPane::changeCurrentAmount()
{
    const QModelIndex current = m_items->currentIndex();
    if (current.isValid())
        m_session->changeAmount(current.row(), m_amount->text());
}

void PantryPane::offerTakeOut(const QString& recipePath, int servings)
{
    const QString question = m_session->takeOutQuestion(recipePath);
    if (!question.isEmpty() && m_ask(this, question))
        m_session->takeOutRecipe(recipePath, servings);
}

// The names offered follow the last word typed after the amount.
void PantryPane::offerNames(const QString& typed)
{
    const QString name = readIngredientLine(typed).name;
    const QString prefix =
        typed.endsWith(name) ? typed.left(typed.size() - name.size()) : QString();
    QStringList offered;
    for (const QString& offer : m_session->suggestions(prefix.isEmpty() ? typed : name))
        offered.append(prefix + offer);
    m_names->setStringList(offered);
}

void PantryPane::showCurrentAmount()
{
    const QModelIndex current = m_items->currentIndex();
    m_amount->setText(current.data(PantryItemsModel::AmountRole).toString());
}
