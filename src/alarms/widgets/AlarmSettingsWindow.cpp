#include "alarms/widgets/AlarmSettingsWindow.h"

#include "alarms/core/AlarmList.h"
#include "alarms/widgets/AlarmEventDialog.h"
#include "common/Cp1250.h"
#include "common/Error.h"
#include "ui/DialogBorder.h"
#include "ui/SharpPixmap.h"
#include "ui/Style.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace veskor {

namespace {

constexpr int kToolbarHeight = 33;
constexpr int kStatusHeight = 19;

QString fromCp1250(const std::string& bytes) {
    return QString::fromStdString(cp1250ToUtf8(bytes));
}

// A 16 x 16 picture drawn by `paint`, antialiased.
template <typename Paint> QPixmap picture(Paint paint) {
    QPixmap pixmap = sharpPixmap(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

QPen roundPen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPixmap addPicture() {
    return picture([](QPainter& p) {
        p.setPen(roundPen(QColor(0, 128, 0), 3));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
    });
}

QPixmap editPicture() {
    return picture([](QPainter& p) {
        p.setPen(roundPen(style::kBlack, 1));
        p.setBrush(style::kYellow);
        p.drawPolygon(
            QPolygonF({QPointF(11, 2), QPointF(14, 5), QPointF(5.5, 13.5), QPointF(2.5, 10.5)}));
        p.setBrush(style::kBlack);
        p.drawPolygon(QPolygonF({QPointF(2.5, 10.5), QPointF(5.5, 13.5), QPointF(1.5, 14.5)}));
    });
}

QPixmap deletePicture() {
    return picture([](QPainter& p) {
        p.setPen(roundPen(QColor(192, 0, 0), 3));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

QPixmap clearPicture() { // a waste bin
    return picture([](QPainter& p) {
        p.setPen(roundPen(style::kBlack, 1));
        p.setBrush(style::kSilver);
        p.drawPolygon(QPolygonF(
            {QPointF(3.5, 4.5), QPointF(12.5, 4.5), QPointF(11.5, 14.5), QPointF(4.5, 14.5)}));
        p.drawRect(QRectF(2.5, 2.5, 11, 2));
        p.setPen(roundPen(style::kGray, 1));
        for (const qreal x : {6.5, 8.0, 9.5}) {
            p.drawLine(QPointF(x, 6.5), QPointF(x, 12.5));
        }
    });
}

QPixmap closePicture() { // a door with an arrow leaving through it
    return picture([](QPainter& p) {
        p.setPen(roundPen(style::kBlack, 1));
        p.setBrush(QColor(160, 96, 32));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(roundPen(QColor(0, 128, 0), 2));
        p.drawLine(QPointF(6, 8), QPointF(14, 8));
        p.drawPolyline(QPolygonF({QPointF(11, 5), QPointF(14, 8), QPointF(11, 11)}));
    });
}

QPixmap soundPicture() { // a loudspeaker
    return picture([](QPainter& p) {
        p.setPen(roundPen(style::kBlack, 1));
        p.setBrush(style::kNavy);
        p.drawPolygon(QPolygonF({QPointF(1.5, 5.5), QPointF(4.5, 5.5), QPointF(8.5, 1.5),
                                 QPointF(8.5, 14.5), QPointF(4.5, 10.5), QPointF(1.5, 10.5)}));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(5, 2.5, 9, 11), -60 * 16, 120 * 16);
    });
}

// The time column is 75 pixels for the check box, the sound picture and "00:00"; the usual item
// margins of three pixels a side leave the time a pixel short and elided.
class CompactItemStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_FocusFrameHMargin ? std::min(value, 1) : value;
    }
};

QToolButton* toolButton(const char* name, const QString& hint, const QPixmap& pixmap, int left,
                        QWidget* toolbar) {
    auto* button = new QToolButton(toolbar);
    button->setObjectName(name);
    button->setAccessibleName(hint); // the design's hint, read out but never shown as a tip
    button->setIcon(QIcon(pixmap));
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, 2, 25, 25);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace

AlarmSettingsWindow::AlarmSettingsWindow(AlarmList& list, IFileStore& files,
                                         std::filesystem::path file, AlarmReports reports,
                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_list(list), m_files(files), m_file(std::move(file)), m_reports(std::move(reports)),
      m_editor(new AlarmEventDialog(m_reports.error, this)), m_soundIcon(soundPicture()),
      m_silentIcon(picture([](QPainter&) {})) {
    new DialogBorder(this);
    setWindowTitle(tr("Alarm Settings"));
    setFont(style::uiFont(11, false));
    setFixedSize(434, 281);

    auto* toolbar = new QFrame(this);
    toolbar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolbar->setFixedHeight(kToolbarHeight);
    const int inside = toolbar->frameWidth();
    QToolButton* addButton =
        toolButton("addButton", tr("Add event"), addPicture(), inside + 4, toolbar);
    m_editButton = toolButton("editButton", tr("Edit event"), editPicture(), inside + 29, toolbar);
    m_deleteButton =
        toolButton("deleteButton", tr("Delete event"), deletePicture(), inside + 54, toolbar);
    m_clearButton =
        toolButton("clearButton", tr("Clear all events"), clearPicture(), inside + 87, toolbar);
    QToolButton* closeButton =
        toolButton("closeButton", tr("Close"), closePicture(), inside + 119, toolbar);

    auto* desktop = new QWidget(this);
    auto* desktopLayout = new QVBoxLayout(desktop);
    desktopLayout->setContentsMargins(2, 2, 2, 2);
    m_table = new QTableWidget(0, 2, desktop);
    m_table->setObjectName("eventList");
    m_table->setHorizontalHeaderLabels({tr("      Time"), tr("Message")});
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setColumnWidth(0, 75);
    m_table->setColumnWidth(1, 300);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setMinimumSectionSize(17);
    m_table->verticalHeader()->setDefaultSectionSize(18); // a check box and a 16-pixel picture
    m_table->setShowGrid(true);
    m_table->setWordWrap(false);
    m_table->setIconSize(QSize(16, 16));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    desktopLayout->addWidget(m_table);
    m_table->installEventFilter(this);
    auto* tableStyle = new CompactItemStyle; // made after the table, so deleted after it
    tableStyle->setParent(this);
    m_table->setStyle(tableStyle);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    statusBar->setFixedHeight(kStatusHeight);
    m_status = new QLabel(statusBar);
    m_status->setObjectName("statusText");
    m_status->setMinimumWidth(50);
    statusBar->addWidget(m_status);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(desktop, 1);
    layout->addWidget(statusBar);

    connect(addButton, &QToolButton::clicked, this, [this] { runEditor(-1); });
    connect(m_editButton, &QToolButton::clicked, this, [this] { runEditor(selectedRow()); });
    connect(m_deleteButton, &QToolButton::clicked, this, &AlarmSettingsWindow::deleteEvent);
    connect(m_clearButton, &QToolButton::clicked, this, &AlarmSettingsWindow::clearEvents);
    connect(closeButton, &QToolButton::clicked, this, &QDialog::close);
    // A double click elsewhere than on a row has no row to edit.
    connect(m_table, &QAbstractItemView::doubleClicked, this, [this] {
        if (selectedRow() >= 0) {
            runEditor(selectedRow());
        }
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AlarmSettingsWindow::updateControls);
    // The check box is the event's active flag; the clock reads it from the list at once.
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_showingList || item->column() != 0 || item->row() >= m_list.count()) {
            return;
        }
        const bool active = item->checkState() == Qt::Checked;
        if (m_list.at(item->row()).active != active) {
            m_list.setActive(item->row(), active);
        }
    });

    showList();
}

void AlarmSettingsWindow::showEvent(QShowEvent* event) {
    if (!m_placed) { // centred on the screen once; later showings keep where the user put it
        centreOnScreen(*this);
        m_placed = true;
    }
    QDialog::showEvent(event);
    if (event->spontaneous()) { // the window manager restoring it is no new showing
        return;
    }
    if (m_unsaved) {
        showList();
        return;
    }
    const AlarmLoad load = m_list.load(m_files, m_file);
    showList();
    m_reports.reportLoad(load);
}

void AlarmSettingsWindow::done(int result) {
    // Rewriting what did not change could only lose what the file holds beyond what was read.
    if (m_list.changed()) {
        const AlarmSave saved = m_list.save(m_files, m_file);
        m_unsaved = !saved.ok;
        if (!saved.ok) {
            m_reports.fileError(tr("Save failed."), QString::fromStdString(saved.problem));
        }
        if (!saved.kept.empty()) {
            m_reports.note(tr("%1 could not be read whole; it is kept as it was in %2.")
                               .arg(QString::fromStdString(m_file.string()),
                                    QString::fromStdString(saved.kept.string())));
        }
    }
    QDialog::done(result);
}

bool AlarmSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_table || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) {
        return false;
    }
    const int row = selectedRow();
    const auto select = [this](int to) {
        if (to >= 0 && to < m_table->rowCount()) {
            m_table->setCurrentCell(to, 0);
            m_table->selectRow(to);
        }
    };
    switch (key->key()) {
    case Qt::Key_Insert:
        runEditor(-1);
        return true;
    case Qt::Key_Delete:
        deleteEvent();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (row >= 0) {
            runEditor(row);
        }
        return true;
    case Qt::Key_Home:
        select(0);
        return true;
    case Qt::Key_End:
        select(m_table->rowCount() - 1);
        return true;
    case Qt::Key_Down:
        if (row < 0) {
            select(0);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void AlarmSettingsWindow::runEditor(int row) {
    if (row < 0) {
        m_editor->fill(0, 0, QString(), false, false);
    } else {
        const AlarmEvent& event = m_list.at(row);
        std::pair<int, int> time;
        try {
            time = editableTime(event.time);
        } catch (const Error& error) {
            m_reports.error(QString::fromStdString(cp1250ToPrintable(error.what())));
            return;
        }
        m_editor->fill(time.first, time.second, fromCp1250(event.message), event.active,
                       event.hasSound());
    }
    if (m_editor->exec() != QDialog::Accepted || row >= m_list.count()) {
        return;
    }
    // The file holds one line per message.
    QString message = m_editor->message();
    message.replace('\r', ' ').replace('\n', ' ');
    AlarmEvent edited{formatAlarmTime(m_editor->hour(), m_editor->minute()),
                      utf8ToCp1250(message.toStdString()), m_editor->isActive(),
                      m_editor->hasSound() ? 0 : -1};
    if (row < 0) {
        m_list.append(std::move(edited));
        row = m_list.count() - 1;
        m_table->insertRow(row);
    } else {
        m_list.replace(row, std::move(edited));
    }
    showRow(row);
    updateControls();
}

void AlarmSettingsWindow::deleteEvent() {
    const int row = selectedRow();
    if (row < 0 || !confirm(tr("Delete this alarm event?"))) {
        return;
    }
    m_list.remove(row);
    m_table->removeRow(row);
    m_table->clearSelection(); // not the neighbour Qt selects in its place
    updateControls();
}

void AlarmSettingsWindow::clearEvents() {
    if (!confirm(tr("Delete all alarm events?"))) {
        return;
    }
    m_list.clear();
    showList();
}

bool AlarmSettingsWindow::confirm(const QString& question) {
    QMessageBox box(QMessageBox::Question, tr("Confirm"), question, QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(tr("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(tr("&No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void AlarmSettingsWindow::showList() {
    m_table->setRowCount(m_list.count());
    for (int row = 0; row < m_list.count(); ++row) {
        showRow(row);
    }
    // After rows went away Qt selects a neighbour of the current row; nothing stays selected.
    m_table->clearSelection();
    updateControls();
}

void AlarmSettingsWindow::showRow(int row) {
    const AlarmEvent& event = m_list.at(row);
    auto* time = new QTableWidgetItem(fromCp1250(event.time));
    time->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    time->setCheckState(event.active ? Qt::Checked : Qt::Unchecked);
    time->setIcon(event.hasSound() ? m_soundIcon : m_silentIcon);
    // A message longer than any screen is shown by its start: laying out millions of characters
    // at every paint stalled the window for seconds. The list keeps the whole message.
    constexpr std::size_t kShownBytes = 1000;
    auto* message = new QTableWidgetItem(fromCp1250(event.message.substr(0, kShownBytes)));
    message->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_showingList = true;
    m_table->setItem(row, 0, time);
    m_table->setItem(row, 1, message);
    m_showingList = false;
}

void AlarmSettingsWindow::updateControls() {
    const bool selected = selectedRow() >= 0;
    m_editButton->setEnabled(selected);
    m_deleteButton->setEnabled(selected);
    m_clearButton->setEnabled(m_list.count() > 0);
    m_status->setText(tr("%n event(s)", nullptr, m_list.count()));
}

int AlarmSettingsWindow::selectedRow() const {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

} // namespace veskor
