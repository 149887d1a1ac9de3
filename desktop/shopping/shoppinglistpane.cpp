#include "shopping/shoppinglistpane.h"

#include "document/panebuttons.h"
#include "shopping/servingsdelegate.h"
#include "shopping/shoppinglistsession.h"
#include "shopping/shoppingrecipesmodel.h"
#include "shopping/shoppingrowsmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QListView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QVBoxLayout>

ShoppingListPane::ShoppingListPane(QWidget* parent)
    : PaneBase(parent)
    , session(std::make_unique<ShoppingListSession>())
    , amountDelegate(std::make_unique<ServingsDelegate>())
{
    buildViews();
    connectModels();
    openAmountEditors();
}

// The views go with the child widgets only after this body; they must not
// outlive the models and the delegate they use.
ShoppingListPane::~ShoppingListPane()
{
    delete recipesView;
    delete itemsView;
}

void ShoppingListPane::buildViews()
{
    auto layout = std::make_unique<QVBoxLayout>();
    auto top = std::make_unique<QHBoxLayout>();
    QPushButton* add =
        addPaneButton(top.get(), QStringLiteral("Add current recipe"),
                      QStringLiteral("addToShoppingList"), QStringLiteral("list-add"));
    connect(add, &QPushButton::clicked, this, &ShoppingListPane::addCurrentRecipe);
    QPushButton* remove =
        addPaneButton(top.get(), QStringLiteral("Remove"), QStringLiteral("removeFromShoppingList"),
                      QStringLiteral("list-remove"));
    connect(remove, &QPushButton::clicked, this, &ShoppingListPane::removeCurrentRecipe);
    QPushButton* clear =
        addPaneButton(top.get(), QStringLiteral("Clear"), QStringLiteral("clearShoppingList"),
                      QStringLiteral("edit-clear"));
    connect(clear, &QPushButton::clicked, this, &ShoppingListPane::clearList);
    layout->addLayout(top.release());

    auto recipes = std::make_unique<QTableView>();
    recipes->setObjectName(QStringLiteral("shoppingRecipes"));
    recipes->setModel(session->recipes());
    recipes->setItemDelegateForColumn(ShoppingRecipesModel::AmountColumn, amountDelegate.get());
    recipes->setSelectionBehavior(QAbstractItemView::SelectRows);
    recipes->setSelectionMode(QAbstractItemView::SingleSelection);
    recipes->verticalHeader()->hide();
    recipes->horizontalHeader()->setSectionResizeMode(ShoppingRecipesModel::TitleColumn,
                                                      QHeaderView::Stretch);
    recipes->horizontalHeader()->setSectionResizeMode(ShoppingRecipesModel::AmountColumn,
                                                      QHeaderView::ResizeToContents);
    auto* removeKey = new QShortcut(QKeySequence::Delete, recipes.get()); // owned by the view
    removeKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(removeKey, &QShortcut::activated, this, &ShoppingListPane::removeCurrentRecipe);
    recipesView = recipes.get();
    layout->addWidget(recipes.release(), 1);

    auto items = std::make_unique<QListView>();
    items->setObjectName(QStringLiteral("shoppingItems"));
    items->setModel(session->rows());
    items->setUniformItemSizes(true);
    auto* removeRowKey = new QShortcut(QKeySequence::Delete, items.get()); // owned by the view
    removeRowKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(removeRowKey, &QShortcut::activated, this, &ShoppingListPane::removeCurrentRow);
    itemsView = items.get();
    layout->addWidget(items.release(), 3);

    auto field = std::make_unique<QLineEdit>();
    field->setObjectName(QStringLiteral("addShoppingItem"));
    field->setPlaceholderText(QStringLiteral("Add a row"));
    field->setClearButtonEnabled(true);
    connect(field.get(), &QLineEdit::returnPressed, this, &ShoppingListPane::addHandRow);
    rowField = field.get();
    layout->addWidget(field.release());
    // Shown by its shortcut, the pane hands the focus to the list to tick off.
    setFocusProxy(itemsView);

    auto bottom = std::make_unique<QHBoxLayout>();
    QPushButton* copy =
        addPaneButton(bottom.get(), QStringLiteral("Copy"), QStringLiteral("copyShoppingList"),
                      QStringLiteral("edit-copy"));
    connect(copy, &QPushButton::clicked, this, &ShoppingListPane::copyToClipboard);
    QPushButton* printButton =
        addPaneButton(bottom.get(), QStringLiteral("Print"), QStringLiteral("printShoppingList"),
                      QStringLiteral("document-print"));
    connect(printButton, &QPushButton::clicked, this, &ShoppingListPane::print);
    QPushButton* preview = addPaneButton(bottom.get(), QStringLiteral("Print preview"),
                                         QStringLiteral("printPreviewShoppingList"),
                                         QStringLiteral("document-print-preview"));
    connect(preview, &QPushButton::clicked, this, &ShoppingListPane::printPreview);
    layout->addLayout(bottom.release());
    auto pantry = std::make_unique<QHBoxLayout>();
    QPushButton* putAway =
        addPaneButton(pantry.get(), QStringLiteral("Put ticked rows in the pantry"),
                  QStringLiteral("putTickedInPantry"), QStringLiteral("go-home"));
    connect(putAway, &QPushButton::clicked, this, &ShoppingListPane::putTickedInPantry);
    pantry->addStretch(1);
    layout->addLayout(pantry.release());
    setLayout(layout.release());
}

void ShoppingListPane::connectModels()
{
    connect(session.get(), &ShoppingListSession::message, this, &ShoppingListPane::notifySimple);
    // Editors close with a reset or removed rows; every row keeps one open.
    connect(session->recipes(), &QAbstractItemModel::modelReset, this,
            &ShoppingListPane::openAmountEditors);
    connect(session->recipes(), &QAbstractItemModel::rowsInserted, this,
            &ShoppingListPane::openAmountEditors);
}

void ShoppingListPane::openPath(const QString& path)
{
    activePath = path;
    // The active recipe changed on disk, or was chosen again.
    session->reread(path);
}

void ShoppingListPane::setCollectionPath(const QString& path)
{
    session->setCollectionPath(path);
}

void ShoppingListPane::addHandRow()
{
    if (session->addRow(rowField->text()))
        rowField->clear();
}

void ShoppingListPane::removeCurrentRow()
{
    const QModelIndex current = itemsView->currentIndex();
    if (current.isValid())
        session->removeRow(current.row());
}

void ShoppingListPane::addCurrentRecipe()
{
    emit notifySimple(session->addRecipe(activePath));
}

void ShoppingListPane::removeCurrentRecipe()
{
    const QModelIndex current = recipesView->currentIndex();
    if (current.isValid())
        session->removeRecipe(current.data(ShoppingRecipesModel::PathRole).toString());
}

void ShoppingListPane::clearList()
{
    session->clear();
}

void ShoppingListPane::refresh()
{
    session->rereadAll();
}

void ShoppingListPane::copyToClipboard()
{
    session->copyToClipboard();
}

void ShoppingListPane::putTickedInPantry()
{
    emit notifySimple(session->putTickedInPantry());
}

// What the pane shows: the recipes, then the rows to tick.
std::unique_ptr<QTextDocument> ShoppingListPane::printableDocument() const
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    QTextCharFormat heading;
    heading.setFontPointSize(16);
    heading.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Shopping list"), heading);
    const QAbstractItemModel* recipes = session->recipes();
    for (int row = 0; row < recipes->rowCount(); ++row) {
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(
            recipes->index(row, ShoppingRecipesModel::TitleColumn).data().toString() +
            QStringLiteral(", ") +
            recipes->index(row, ShoppingRecipesModel::AmountColumn).data().toString());
    }
    QTextList* checklist = nullptr;
    const QAbstractItemModel* rows = session->rows();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QModelIndex index = rows->index(row, 0);
        QTextBlockFormat format;
        format.setMarker(index.data(ShoppingRowsModel::TickedRole).toBool()
                             ? QTextBlockFormat::MarkerType::Checked
                             : QTextBlockFormat::MarkerType::Unchecked);
        cursor.insertBlock(format, QTextCharFormat());
        if (checklist)
            checklist->add(cursor.block());
        else
            checklist = cursor.createList(QTextListFormat::ListDisc);
        cursor.insertText(index.data().toString());
    }
    return document;
}

void ShoppingListPane::print()
{
    QPrintDialog dialog(static_cast<QWidget*>(nullptr));
    if (dialog.exec() == QDialog::Accepted)
        printableDocument()->print(dialog.printer());
}

void ShoppingListPane::printPreview()
{
    QPrintPreviewDialog dialog(nullptr, Qt::WindowFlags());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printableDocument()->print(printer); });
    dialog.exec();
}

void ShoppingListPane::openAmountEditors()
{
    const QAbstractItemModel* recipes = session->recipes();
    for (int row = 0; row < recipes->rowCount(); ++row) {
        const QModelIndex amount = recipes->index(row, ShoppingRecipesModel::AmountColumn);
        if (!recipesView->isPersistentEditorOpen(amount))
            recipesView->openPersistentEditor(amount);
    }
}
