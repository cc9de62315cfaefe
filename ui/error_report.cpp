#include "ui/error_report.h"

#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace tintwell::ui {

namespace {

[[noreturn]] void ReportErrorAndEnd(QWidget* window, const QString& message)
{
    const QString text = u"Run-time error: "_s + message;
    std::fprintf(stderr, "tintwell: %s\n", qUtf8Printable(text));
    std::fflush(nullptr);

    QMessageBox box(QMessageBox::Critical, u"Tintwell"_s, text, QMessageBox::Ok, window);
    box.exec();

    // Skip every destructor and exit handler: the state they would tidy up
    // is what just failed.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void ReportError(QWidget* window, const std::exception& error)
{
    ReportErrorAndEnd(window, QString::fromUtf8(error.what()));
}

void ReportUnknownError(QWidget* window)
{
    ReportErrorAndEnd(window, u"Unknown error"_s);
}

} // namespace tintwell::ui
