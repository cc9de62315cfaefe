#pragma once

#include <QDBusConnection>

#include <chrono>
#include <functional>

class QObject;

namespace tintwell::platform {

// The connection every portal call of ours goes over. It is one of the
// program's own rather than the one Qt shares, so that the portal hears the
// program's app id on it before any other call, whatever Qt has already
// asked of the portal for itself.
QDBusConnection PortalBus();

// Calls `then` once the portal on `bus` knows the program by its app id
// (the desktop file's name), or once it is clear that it will not: the
// portal is older than its registry (1.20 and earlier), refused, is not
// running, or gave no answer within `limit`. From 1.21 on a portal names an
// unsandboxed program only if told before the program's first call, and
// refuses some calls (a global shortcut's session) from one it cannot name.
// `startsPortal` says whether asking may have the bus start the portal;
// `then` is dropped if `context` goes first.
void WhenPortalKnowsUs(QDBusConnection bus, QObject* context, std::chrono::milliseconds limit, bool startsPortal,
                       std::function<void()> then);

} // namespace tintwell::platform
