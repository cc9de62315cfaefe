#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QVariantMap>

#include <optional>
#include <utility>

// A stand-in for xdg-desktop-portal's screenshot and global shortcuts
// services on a private bus, answering each method as the test sets it.

enum class Portal {
    Answers,
    AnswersTwice,
    AnswersLate, // after FakePortal::kLateMilliseconds
    AnswersElsewhere,
    MovesTheHandle,
    NeverAnswers,
    NeverReplies,
    Refuses,
    LacksTheInterface,
    LacksTheMethod,
    Absent,
};

// How one method of the stand-in answers, and how often it was called.
struct FakeMethod {
    Portal behaviour = Portal::Answers;
    uint response = 0;
    QVariantMap results;
    int calls = 0;
};

// The portal's request object, which a picker closes when it gives up.
class FakeRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    int closed = 0;

public Q_SLOTS:
    void Close() { ++closed; }
};

// The shortcuts a program binds, a(sa{sv}): each one's id and properties.
using FakeShortcuts = QList<std::pair<QString, QVariantMap>>;

class FakePortal;

// The portal's global shortcuts, on the same object as its screenshots.
class FakeGlobalShortcuts : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")

public:
    explicit FakeGlobalShortcuts(FakePortal& portal);

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& call);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session, const FakeShortcuts& shortcuts, const QString&,
                                  const QVariantMap& options, const QDBusMessage& call);
    QDBusObjectPath ListShortcuts(const QDBusObjectPath& session, const QVariantMap& options, const QDBusMessage& call);

private:
    FakePortal& m_portal;
};

// The registry through which a program tells the portal its app id.
class FakeRegistry : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.host.portal.Registry")

public:
    explicit FakeRegistry(FakePortal& portal);

public Q_SLOTS:
    void Register(const QString& appId, const QVariantMap& options, const QDBusMessage& call);

private:
    FakePortal& m_portal;
};

class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    static constexpr int kLateMilliseconds = 500;

    explicit FakePortal(QDBusConnection bus);

    // Owns the portal's well-known name, unless the method in use is Absent.
    bool Appear();
    void Disappear();
    void Reset();
    void Answer(const QString& path, const FakeMethod& method) const;
    void Send(const QDBusMessage& message) const;
    // Sends the shortcuts' Activated, with whatever arguments are given, to
    // the program that called last, as the portal sends it only to the
    // session's owner.
    void Activate(const QVariantList& arguments) const;
    // Takes a call on the request path it names, and answers as `method` says.
    void Serve(FakeMethod& method, const QVariantMap& options, const QDBusMessage& call);

    FakeMethod pickColor;
    FakeMethod screenshot;
    FakeMethod createSession;
    FakeMethod bindShortcuts;
    FakeMethod listShortcuts;
    // Answers (registers), Refuses, LacksTheInterface or NeverReplies.
    FakeMethod registry;
    // As portals from 1.21 on: no shortcuts' session for a program that
    // has not said its app id.
    bool wantsAppId = false;
    // The app id each caller registered.
    QHash<QString, QString> appIds;
    QString requestPath;
    FakeRequest request;
    // The options of the last CreateSession.
    QVariantMap sessionOptions;
    // What the last BindShortcuts bound, and in which session.
    QString boundSession;
    FakeShortcuts boundShortcuts;

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options, const QDBusMessage& call);
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& call);

private:
    QDBusConnection m_bus;
    QString m_caller;
};

// A bus of the test's own, where no real portal can be activated in the
// fake's place, with one connection for the program and one for the fake.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();

    QDBusConnection& Program() { return *m_program; }
    // Another connection for the program, named `name`.
    QDBusConnection Connect(const QString& name) const;
    FakePortal& Portal() { return *m_portal; }
    // The signals the bus holds subscriptions to for the program's connection.
    QStringList MatchRules() const;

private:
    QProcess m_daemon;
    QString m_address;
    std::optional<QDBusConnection> m_program;
    std::optional<FakePortal> m_portal;
};

// A colour as the portal sends one, in whatever D-Bus shape is given.
template <typename... Values>
QVariantMap ColorAs(Values... values)
{
    QDBusArgument color;
    color.beginStructure();
    (color << ... << values);
    color.endStructure();
    return {{QStringLiteral("color"), QVariant::fromValue(color)}};
}
