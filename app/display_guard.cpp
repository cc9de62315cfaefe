#include "app/display_guard.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tintwell::app {

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// The message handler is a plain function, so what it holds lives here.
std::vector<HeldMessage> g_held;
bool g_watching = false;

// Why, in a few words: Qt's own reason ("could not connect to display :5")
// when it gave one.
QString Reason()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    for (const HeldMessage& message : g_held) {
        if (message.text.contains(QLatin1StringView("display"), Qt::CaseInsensitive))
            return message.text.trimmed();
    }
    return {};
}

} // namespace

DisplayGuard::DisplayGuard()
{
    g_watching = true;
    m_previous = qInstallMessageHandler(&DisplayGuard::Intercept);
}

DisplayGuard::~DisplayGuard()
{
    if (g_watching)
        Started();
}

void DisplayGuard::Started()
{
    g_watching = false;
    qInstallMessageHandler(m_previous);
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    g_held.clear();
}

void DisplayGuard::Intercept(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        g_held.push_back({type, context.category != nullptr ? context.category : "", message});
        return;
    }
    const QString reason = Reason();
    std::fprintf(stderr, "tintwell: cannot open a display%s%s\n", reason.isEmpty() ? "" : ": ", qUtf8Printable(reason));
    std::fflush(stderr);
    std::_Exit(kNoDisplayStatus);
}

} // namespace tintwell::app
