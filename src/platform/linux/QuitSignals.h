#pragma once
// SIGTERM, SIGINT and SIGHUP as a Qt signal: the program ends through its own close, so that
// what it changed on the desktop is put back, however it is asked to end.

#include <QObject>

class QSocketNotifier;

namespace veskor {

class QuitSignals final : public QObject {
    Q_OBJECT
public:
    // One per process: it owns the handlers of the three signals until it is destroyed.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    // In the event loop, after one of the signals arrived (once per arrival).
    void quitRequested(int signalNumber);

private:
    void readPending();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace veskor
