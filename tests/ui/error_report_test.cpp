#include "ui/frm_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kChildFlag = "--fail-in-a-handler";

// The child: a window whose red slider refuses values over 100, so typing
// 200 makes the refresh fail inside txtDecR's change handler. Whatever
// message box appears is read out on stdout and dismissed, as a user would.
int RunFailingWindow(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tintwell::ui::frmMain window;
    window.show();
    window.findChild<QScrollBar*>(u"ScrollR"_s)->setMaximum(100);

    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("%s|%s\n", qUtf8Printable(box->windowTitle()), qUtf8Printable(box->text()));
            std::fflush(stdout);
            box->button(QMessageBox::Ok)->click();
        }
    });
    dismisser.start(10);
    QTimer::singleShot(0, &window, [&window] { window.findChild<QLineEdit*>(u"txtDecR"_s)->setText(u"200"_s); });
    QApplication::exec();
    return 0; // only reached if the error did not end the process
}

} // namespace

class ErrorReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorInAHandlerIsShownThenEndsTheProcess();
};

void ErrorReportTest::errorInAHandlerIsShownThenEndsTheProcess()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildFlag)});
    QVERIFY(child.waitForFinished(30000));

    QCOMPARE(child.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(child.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(),
             u"Tintwell|Run-time error: Control failure: invalid value 200 for ScrollR"_s);
    QVERIFY(child.readAllStandardError().contains(
        "tintwell: Run-time error: Control failure: invalid value 200 for ScrollR"));
}

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kChildFlag) == 0)
        return RunFailingWindow(argc, argv);
    QApplication app(argc, argv);
    ErrorReportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_report_test.moc"
