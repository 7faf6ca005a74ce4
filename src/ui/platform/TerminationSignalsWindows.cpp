#include "ui/platform/TerminationSignals.h"

// A Windows program is asked to end by a message to its window, not by a signal: taskkill (without
// /F) sends WM_CLOSE, which closes the window as its close box does, and logging off or shutting
// down asks the application to commit its data (QGuiApplication::commitDataRequest). Qt turns
// both into what the window already handles, so there is nothing to catch here.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;
