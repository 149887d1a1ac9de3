#include "find/chosennamesedit.h"

#include <QCompleter>
#include <QGridLayout>
#include <QIcon>
#include <QLineEdit>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int namesPerRow = 3;

} // namespace

ChosenNamesEdit::ChosenNamesEdit(const QString& placeholder, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_names(new QStringListModel(this))
{
    m_edit->setPlaceholderText(placeholder);
    auto* completer = new QCompleter(m_names, m_edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    m_edit->setCompleter(completer);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            &ChosenNamesEdit::addName);
    connect(m_edit, &QLineEdit::returnPressed, this, &ChosenNamesEdit::addTypedName);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    m_chosenLayout = new QGridLayout;
    m_chosenLayout->setContentsMargins(0, 0, 0, 0);
    m_chosenLayout->setColumnStretch(namesPerRow, 1); // names packed to the left
    layout->addLayout(m_chosenLayout);
}

ChosenNamesEdit::~ChosenNamesEdit() = default;

void ChosenNamesEdit::setAvailableNames(const QStringList& names)
{
    m_names->setStringList(names);
}

void ChosenNamesEdit::addTypedName()
{
    addName(m_edit->text());
}

void ChosenNamesEdit::addName(const QString& name)
{
    const QString trimmed = name.trimmed();
    // The completer writes its choice into the field after telling us; empty
    // the field once it has.
    QMetaObject::invokeMethod(m_edit, &QLineEdit::clear, Qt::QueuedConnection);
    if (trimmed.isEmpty() || m_chosen.contains(trimmed))
        return;
    m_chosen.append(trimmed);
    showChosen();
    emit chosenChanged();
}

void ChosenNamesEdit::removeName(const QString& name)
{
    if (m_chosen.removeAll(name) == 0)
        return;
    showChosen();
    emit chosenChanged();
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
        connect(button, &QToolButton::clicked, this, [this, name] { removeName(name); });
        m_chosenLayout->addWidget(button, i / namesPerRow, i % namesPerRow, Qt::AlignLeft);
    }
}
