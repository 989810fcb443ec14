#pragma once
#include "alarms/widgets/AlarmReports.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <filesystem>

class QLabel;
class QTableWidget;
class QToolButton;

namespace veskor {

class AlarmEventDialog;
class AlarmList;
class IFileStore;

// "Alarm Settings": the list of alarm events with a toolbar to add, edit, delete and clear them.
// It edits the AlarmList in place, so the clock sees every change at once; showing the window
// re-reads the file and closing it saves the list when it changed. After a failed save the edits
// stay in the window, and the next showing does not read the old file over them.
class AlarmSettingsWindow final : public QDialog {
    Q_OBJECT

public:
    AlarmSettingsWindow(AlarmList& list, IFileStore& files, std::filesystem::path file,
                        AlarmReports reports, QWidget* parent = nullptr);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // The list's keys: Insert adds, Delete deletes, Enter edits, Home and End go to the first and
    // the last event, and a first Down selects the first one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deleteEvent();
    void clearEvents();
    // Runs the editor; for row -1 a new event is appended.
    void runEditor(int row);
    bool confirm(const QString& question);
    void showList();
    void showRow(int row);
    void updateControls();
    [[nodiscard]] int selectedRow() const;

    AlarmList& m_list;
    IFileStore& m_files;
    std::filesystem::path m_file;
    AlarmReports m_reports;
    AlarmEventDialog* m_editor;
    QToolButton* m_editButton;
    QToolButton* m_deleteButton;
    QToolButton* m_clearButton;
    QTableWidget* m_table;
    QLabel* m_status;
    QIcon m_soundIcon;
    QIcon m_silentIcon; // keeps the times of silent rows in line with the others
    bool m_showingList = false;
    bool m_placed = false;
    bool m_unsaved = false; // the last save failed: the list holds edits the file lacks
};

} // namespace veskor
