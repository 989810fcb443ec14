// File information as a feature of the bar: "Version Info on File..." in the menu, files dropped
// on the name-day cell, the `fileinfo` command and its window drawn for pictures. Registered by
// app/.

#include "fileinfo/core/FileInfoCommand.h"
#include "fileinfo/widgets/FileInfoCommands.h"
#include "fileinfo/widgets/FileInfoWindow.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"
#include "ui/StatusCell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTableWidget>
#include <sstream>

namespace veskor {

namespace {

BuiltWindow fileInfoWindow(const WindowSources& sources) {
    const IMappedFiles& files = *sources.services.mappedFiles;
    // The command's own checks, so that a file it cannot show fails here as it fails there.
    std::ostringstream rows;
    if (const int status = runFileInfoCommand(sources.file, files, rows, sources.err);
        status != 0) {
        return {nullptr, nullptr, status};
    }
    auto window = std::make_unique<FileInfoWindow>(files);
    window->setFile(QFileInfo(QString::fromStdString(sources.file.string())).absoluteFilePath());
    window->show();
    // A document's summary follows the version rows, below the first screenful. The bottom
    // may cut the top row; that row is then shown whole, from its top.
    QTableWidget* list = window->list();
    list->scrollToBottom();
    if (QTableWidgetItem* top = list->itemAt(0, 0)) {
        list->scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
    return {nullptr, std::move(window)};
}

std::vector<MenuEntry> attachFileInfo(BarLink& bar, const FeatureServices& services) {
    const std::shared_ptr<const IMappedFiles> files = services.mappedFiles;
    openFileInfoOnDrop(bar.cell(BarCell::Saint), files);
    return {{{MenuPlace::Section::Tools, 2},
             QCoreApplication::translate("FileInfoFeature", "Version Info on File..."),
             [&bar, files] { chooseFileInfo(*files, bar.windowParent()); }}};
}

} // namespace

Feature fileinfoFeature() {
    Feature feature;
    feature.commands = fileInfoCommands();
    feature.windows = {{{"fileinfo", true}, fileInfoWindow}};
    feature.attach = attachFileInfo;
    return feature;
}

} // namespace veskor
