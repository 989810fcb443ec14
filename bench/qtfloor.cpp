// Reference for start-up time: the least a Qt Widgets program does to show three labels in a
// borderless window. The bar cannot start faster than this floor of the toolkit.
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    auto* layout = new QHBoxLayout(&window);
    for (const char* text : {"Mo, 7.12. 2026", "Ambroz", "19:28:10"}) {
        layout->addWidget(new QLabel(text));
    }
    window.show();
    return QApplication::exec();
}
