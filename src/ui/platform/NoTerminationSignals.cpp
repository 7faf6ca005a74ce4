#include "ui/platform/TerminationSignals.h"

// Without POSIX signals there is nothing to catch: the window's close box and the session's
// end (through QCoreApplication::aboutToQuit) still save the settings.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;
