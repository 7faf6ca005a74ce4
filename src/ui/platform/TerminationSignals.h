#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the system's requests to end the program into a Qt signal on the user-interface thread,
// so that the program closes its window (and saves) instead of dying with the settings unsaved:
// SIGTERM, SIGINT and SIGHUP on Linux. On Windows those requests reach the window through Qt,
// and it never fires.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};
