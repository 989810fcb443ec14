#include "namedays/widgets/SaintEditorWindow.h"

#include "common/Cp1250.h"
#include "common/Error.h"
#include "namedays/core/SaintFile.h"
#include "namedays/core/SaintTable.h"
#include "ui/DialogBorder.h"
#include "ui/Style.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QValidator>
#include <array>
#include <utility>

namespace veskor {

namespace {

constexpr int kFindButtonWidth = 18;

// Month lengths of the table's 366-day order; rows past 31 December (a longer file) go on in
// further months of 31 days.
int monthLength(int month) {
    static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month <= 12 ? kDays.at(static_cast<std::size_t>(month - 1)) : 31;
}

// Names are stored as Windows-1250 lines: refuse what the file could not hold, rather than
// saving it as '?' or splitting the entry.
class Cp1250Validator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        QString text = input;
        // A name holding an undefined byte shows it as U+FFFD; it must stay editable.
        text.remove(QChar::ReplacementCharacter);
        for (const QChar c : text) {
            if (c.unicode() < 0x20) {
                return Invalid;
            }
        }
        return utf8ToCp1250Strict(text.toStdString()) ? Acceptable : Invalid;
    }
};

// Edits names in place and tells when an edit changed one (letter case counts). A cancelled
// edit never reaches setModelData.
class NameDelegate final : public QStyledItemDelegate {
public:
    NameDelegate(std::function<void()> changed, QObject* parent)
        : QStyledItemDelegate(parent), m_changed(std::move(changed)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setValidator(new Cp1250Validator(line));
        }
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor);
            line != nullptr && line->text() != index.data(Qt::EditRole).toString()) {
            m_changed();
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    std::function<void()> m_changed;
};

// Home and End go to the first and the last name, as in any list; the table's own keys would
// only move between the two columns of the row.
class NameList final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if ((action == MoveHome || action == MoveEnd) && rowCount() > 0) {
            return model()->index(action == MoveHome ? 0 : rowCount() - 1, 0);
        }
        return QTableWidget::moveCursor(action, modifiers);
    }
};

} // namespace

SaintEditorWindow::SaintEditorWindow(SaintTable& table, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_table(table) {
    new DialogBorder(this);
    setWindowTitle(tr("Saint's Days"));
    setFont(style::uiFont(11, false));
    setFixedSize(261, 324);

    auto* label = new QLabel(tr("Saint's name to find"), this);
    label->move(8, 12);
    label->adjustSize();

    m_findField = new QLineEdit(this);
    m_findField->setObjectName("findField");
    m_findField->setGeometry(112, 8, 141, 21);
    label->setBuddy(m_findField);
    auto* findButton = new QToolButton(m_findField);
    findButton->setObjectName("findButton");
    findButton->setText("...");
    findButton->setToolTip(tr("Press to find"));
    findButton->setFocusPolicy(Qt::NoFocus);
    findButton->setCursor(Qt::ArrowCursor);
    const int frame = m_findField->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    findButton->setGeometry(m_findField->width() - frame - kFindButtonWidth, frame,
                            kFindButtonWidth, m_findField->height() - 2 * frame);
    m_findField->setTextMargins(0, 0, kFindButtonWidth, 0);
    connect(findButton, &QToolButton::clicked, this, &SaintEditorWindow::findName);
    connect(m_findField, &QLineEdit::returnPressed, this, &SaintEditorWindow::findName);
    auto* dropDown = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), m_findField);
    dropDown->setContext(Qt::WidgetShortcut);
    connect(dropDown, &QShortcut::activated, this, &SaintEditorWindow::findName);

    m_list = new NameList(0, 2, this);
    m_list->setObjectName("nameList");
    m_list->setGeometry(8, 40, 245, 241);
    m_list->setHorizontalHeaderLabels({tr("     Saint's name"), tr("Date")});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->setColumnWidth(0, 175);
    m_list->setColumnWidth(1, 50);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(16);
    m_list->verticalHeader()->setDefaultSectionSize(17);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_list->setTabKeyNavigation(false);
    m_list->setItemDelegateForColumn(0, new NameDelegate([this] { m_modified = true; }, m_list));
    // The found row must stay visible while the focus is in the find field.
    QPalette palette = m_list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    m_list->setPalette(palette);

    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName("closeButton");
    closeButton->setGeometry(178, 293, 75, 25);
    // Enter in the find field or an edited row must not close the window.
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    fillList();
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void SaintEditorWindow::fillList() {
    m_list->setRowCount(0);
    m_list->setRowCount(m_table.count());
    int day = 1;
    int month = 1;
    for (int row = 0; row < m_table.count(); ++row) {
        m_list->setItem(
            row, 0, new QTableWidgetItem(QString::fromStdString(cp1250ToUtf8(m_table.at(row)))));
        auto* date = new QTableWidgetItem(QString("%1.%2").arg(day).arg(month));
        date->setFlags(date->flags() & ~Qt::ItemIsEditable);
        m_list->setItem(row, 1, date);
        if (++day > monthLength(month)) {
            day = 1;
            ++month;
        }
    }
    m_modified = false;
}

void SaintEditorWindow::storeList() {
    for (int row = 0; row < m_list->rowCount(); ++row) {
        // An unchanged row keeps its bytes: undefined ones show as U+FFFD and would come back
        // as '?'.
        const QString text = m_list->item(row, 0)->text();
        if (text != QString::fromStdString(cp1250ToUtf8(m_table.at(row)))) {
            m_table.replace(row, utf8ToCp1250(text.toStdString()));
        }
    }
}

void SaintEditorWindow::findName() {
    const QString wanted = m_findField->text();
    if (wanted.isEmpty()) {
        return;
    }
    for (int row = 0; row < m_list->rowCount(); ++row) {
        QTableWidgetItem* name = m_list->item(row, 0);
        if (name->text().compare(wanted, Qt::CaseInsensitive) == 0) {
            m_list->setCurrentItem(name);
            m_list->scrollToItem(name, QAbstractItemView::EnsureVisible);
            return;
        }
    }
    QMessageBox box(QMessageBox::Information, tr("Information"), tr("Not found."), QMessageBox::Ok,
                    this);
    box.exec();
}

void SaintEditorWindow::done(int result) {
    if (m_modified) {
        storeList();
    }
    QDialog::done(result);
}

void editSaints(SaintTable& table, IFileStore& files, const std::filesystem::path& file,
                const std::function<void(const QString&)>& report, QWidget* parent) {
    SaintEditorWindow window(table, parent);
    window.exec();
    if (!window.isModified()) {
        return;
    }
    try {
        saveSaints(table, files, file);
    } catch (const Error& error) {
        report(QString::fromStdString(error.what()));
    }
}

} // namespace veskor
