#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QProcess>
#include <QVariantMap>

#include <optional>

// A stand-in for xdg-desktop-portal's screenshot service on a private bus,
// answering each method as the test sets it.

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

    FakeMethod pickColor;
    FakeMethod screenshot;
    QString requestPath;
    FakeRequest request;

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options, const QDBusMessage& call);
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& call);

private:
    void Serve(FakeMethod& method, const QVariantMap& options, const QDBusMessage& call);

    QDBusConnection m_bus;
};

// A bus of the test's own, where no real portal can be activated in the
// fake's place, with one connection for the program and one for the fake.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();

    QDBusConnection& Program() { return *m_program; }
    FakePortal& Portal() { return *m_portal; }
    // The signals the bus holds subscriptions to for the program's connection.
    QStringList MatchRules() const;

private:
    QProcess m_daemon;
    std::optional<QDBusConnection> m_program;
    std::optional<FakePortal> m_portal;
};

// A colour as the portal sends one, in whatever D-Bus shape is given.
template <typename... Values>
QVariantMap ColourAs(Values... values)
{
    QDBusArgument colour;
    colour.beginStructure();
    (colour << ... << values);
    colour.endStructure();
    return {{QStringLiteral("color"), QVariant::fromValue(colour)}};
}
