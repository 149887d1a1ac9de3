#include "find/chosennamesedit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGridLayout>
#include <QIcon>
#include <QLineEdit>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int namesPerRow = 3;

} // namespace

ChosenNamesEdit::ChosenNamesEdit(const QString& placeholder, Offer offer, QWidget* parent)
    : QWidget(parent)
    , m_offer(std::move(offer))
    , m_edit(new QLineEdit(this))
    , m_names(new QStringListModel(this))
    , m_completer(new QCompleter(m_names, this))
{
    m_edit->setPlaceholderText(placeholder);
    // The offered names are already those that fit what was typed.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setWidget(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, &ChosenNamesEdit::offerNames);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &ChosenNamesEdit::ask);
    connect(m_edit, &QLineEdit::returnPressed, this, &ChosenNamesEdit::askTyped);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    m_chosenLayout = new QGridLayout;
    m_chosenLayout->setContentsMargins(0, 0, 0, 0);
    m_chosenLayout->setColumnStretch(namesPerRow, 1); // names packed to the left
    layout->addLayout(m_chosenLayout);
}

ChosenNamesEdit::~ChosenNamesEdit() = default;

void ChosenNamesEdit::offerNames(const QString& typed)
{
    m_names->setStringList(m_offer(typed));
    if (m_names->rowCount() > 0) {
        m_completer->complete();
        // None picked until the arrow keys pick one.
        m_completer->popup()->setCurrentIndex(QModelIndex());
    } else
        m_completer->popup()->hide();
}

// Enter reaches the field before the completer: a name picked in the list
// is the completer's to announce.
void ChosenNamesEdit::askTyped()
{
    QAbstractItemView* offered = m_completer->popup();
    if (!offered->isVisible() || !offered->currentIndex().isValid())
        ask(m_edit->text());
}

void ChosenNamesEdit::ask(const QString& name)
{
    if (!name.trimmed().isEmpty())
        emit chooseRequested(name);
    // The completer may still be reading its list; empty both once it is done.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_completer->popup()->hide();
            m_edit->clear();
            m_names->setStringList({});
        },
        Qt::QueuedConnection);
}

void ChosenNamesEdit::setChosen(const QStringList& names)
{
    if (names == m_chosen)
        return;
    m_chosen = names;
    showChosen();
}

void ChosenNamesEdit::showChosen()
{
    while (QLayoutItem* item = m_chosenLayout->takeAt(0)) {
        // A button may be the one being clicked: it goes once its signal is done.
        if (QWidget* button = item->widget()) {
            button->hide();
            button->deleteLater();
        }
        delete item;
    }
    for (int i = 0; i < m_chosen.size(); ++i) {
        const QString name = m_chosen.at(i);
        auto* button = new QToolButton(this);
        button->setText(name);
        button->setIcon(QIcon::fromTheme(QStringLiteral("edit-delete-remove"),
                                         QIcon::fromTheme(QStringLiteral("list-remove"))));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setToolTip(QStringLiteral("Remove %1").arg(name));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, name] { emit dropRequested(name); });
        m_chosenLayout->addWidget(button, i / namesPerRow, i % namesPerRow, Qt::AlignLeft);
    }
}
