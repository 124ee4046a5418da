// The window rule, checked on the source: a window writes only its own widgets and timers.
// To affect another window it calls that window's named operation, or the other window
// listens for a signal of the one that changed (see README, "Layout of the source").
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

struct Window
{
    QString cls;
    QSet<QString> controls;   // pointer members: widgets, timers, menus, actions
    QSet<QString> operations; // methods the window declares itself
};

struct Violation
{
    QString file;
    int line = 0;
    QString writer, owner, target, call;
    QString text() const
    {
        return QStringLiteral("%1:%2: %3 calls %4 on %5's %6. A window writes only its own widgets and "
                              "timers: call a named operation of %5, or let %5 listen for a signal "
                              "(README, \"Layout of the source\").")
            .arg(file)
            .arg(line)
            .arg(writer.isEmpty() ? QStringLiteral("code outside the windows") : writer, call, owner, target);
    }
};

// What may be called on another window's control: reading it (every window reads the
// preferences window's controls, which are the settings, and the panel's shared buttons)
// and clicking a button, which is how some behaviours hand over to the button's owner.
const QSet<QString> &allowedOnForeignControls()
{
    static const QSet<QString> names{
        "isChecked", "isEnabled", "isVisible", "isActive", "isDown", "down", "tag", "value",
        "text", "currentText", "currentIndex", "currentWidget", "checkedId", "maximum", "minimum",
        "width", "height", "size", "geometry", "frameGeometry", "pos", "x", "y", "rect", "font",
        "color", "count", "item", "interval", "remainingTime", "rowCount", "data", "caption",
        "objectName", "mapToGlobal", "palette", "isCheckable", "click"};
    return names;
}

// Calls on another window itself that are window management (placement, showing and
// hiding, the order on screen) rather than writes into its content.
bool allowedOnForeignWindow(const QString &call, const Window &owner)
{
    static const QSet<QString> management{"show", "hide", "raise", "close", "move", "resize",
                                          "activateWindow", "showMinimized", "showNormal",
                                          "setVisible", "isVisible", "isActiveWindow"};
    if (management.contains(call) || owner.operations.contains(call))
        return true;
    return !call.startsWith(QLatin1String("set"));
}

QString stripComments(QString text)
{
    // Line comments and string literals go; block comments are not used in src/ui.
    static const QRegularExpression literal(QString::fromUtf8(R"("(?:[^"\\\n]|\\.)*")"));
    static const QRegularExpression comment(QString::fromUtf8(R"(//[^\n]*)"));
    text.replace(literal, QStringLiteral("\"\""));
    text.replace(comment, QString());
    return text;
}

// The window classes of the headers: `class X : public PlayerWindow`.
QMap<QString, Window> readWindows(const QMap<QString, QString> &sources)
{
    static const QRegularExpression head(QString::fromUtf8(R"(class\s+(\w+)\s*:\s*public\s+PlayerWindow\s*\{)"));
    static const QRegularExpression pointer(QString::fromUtf8(R"(\*\s*(\w+)\s*=\s*nullptr)"));
    static const QRegularExpression array(QString::fromUtf8(R"(std::array<[^;]*\*[^;]*>\s*(\w+)\s*\{)"));
    static const QRegularExpression method(QString::fromUtf8(R"(\b(\w+)\s*\((?:[^;{}]|\{\})*\)\s*(?:const\s*)?(?:override\s*)?[;{])"));
    QMap<QString, Window> windows;
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        const QString &text = it.value();
        auto m = head.match(text);
        if (!m.hasMatch())
            continue;
        // The class body: up to the closing brace at the start of a line.
        const qsizetype start = m.capturedEnd();
        const qsizetype end = text.indexOf(QLatin1String("\n};"), start);
        const QString body = text.mid(start, end - start);
        Window w;
        w.cls = m.captured(1);
        for (auto p = pointer.globalMatch(body); p.hasNext();)
            w.controls << p.next().captured(1);
        for (auto a = array.globalMatch(body); a.hasNext();)
            w.controls << a.next().captured(1);
        for (auto f = method.globalMatch(body); f.hasNext();)
            w.operations << f.next().captured(1);
        windows.insert(w.cls, w);
    }
    return windows;
}

// The player's accessors: `TForm1 *form1() const`.
QMap<QString, QString> readAccessors(const QString &playerHeader)
{
    static const QRegularExpression accessor(QString::fromUtf8(R"((\w+)\s*\*\s*(\w+)\(\)\s*const\s*\{\s*return\s+m_)"));
    QMap<QString, QString> classOf;
    for (auto it = accessor.globalMatch(playerHeader); it.hasNext();) {
        const auto m = it.next();
        classOf.insert(m.captured(2), m.captured(1));
    }
    return classOf;
}

// Finds every write into another window's controls in one source file.
QList<Violation> scan(const QString &file, const QString &source, const QMap<QString, Window> &windows,
                      const QMap<QString, QString> &accessors)
{
    const QString text = stripComments(source);
    // Which window's code this is: the first window whose methods it defines.
    QString writer;
    qsizetype first = -1;
    for (const Window &w : windows) {
        const qsizetype at = text.indexOf(QRegularExpression(QString::fromUtf8(R"(\b%1::~?\w+\s*\()").arg(w.cls)));
        if (at >= 0 && (first < 0 || at < first)) {
            first = at;
            writer = w.cls;
        }
    }

    // Names that stand for a window here: `TForm1 *panel = ...`, `TForm1 &panel`, parameters.
    QMap<QString, QString> windowVars;
    static const QRegularExpression var(QString::fromUtf8(R"(\b(\w+)\s*(?:\*|&)\s*(\w+)\s*[=,)])"));
    for (auto it = var.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (windows.contains(m.captured(1)))
            windowVars.insert(m.captured(2), m.captured(1));
    }
    auto ownerOf = [&](const QString &expr) -> QString {
        static const QRegularExpression call(QString::fromUtf8(R"(app\.(\w+)\(\)$)"));
        const auto m = call.match(expr);
        if (m.hasMatch())
            return accessors.value(m.captured(1));
        return windowVars.value(expr);
    };

    // Names that stand for another window's control: `QCheckBox *keep = app.form4()->Proporcional;`.
    struct Alias { QString owner, control; };
    QMap<QString, Alias> controlVars;
    static const QRegularExpression alias(
        QString::fromUtf8(R"(\b\w+\s*\*\s*(\w+)\s*=\s*((?:\w*app\.\w+\(\))|\w+)\s*(?:->|\.)\s*(\w+)\s*;)"));
    for (auto it = alias.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString owner = ownerOf(m.captured(2));
        if (!owner.isEmpty() && windows[owner].controls.contains(m.captured(3)))
            controlVars.insert(m.captured(1), {owner, m.captured(3)});
    }

    QList<Violation> found;
    auto lineOf = [&](qsizetype at) { return int(text.left(at).count(QLatin1Char('\n'))) + 1; };
    auto report = [&](qsizetype at, const QString &owner, const QString &target, const QString &call) {
        if (owner == writer)
            return;
        found << Violation{file, lineOf(at), writer, owner, target, call};
    };

    // owner->Control->call(   and   owner.Control->call(
    static const QRegularExpression onControl(
        QString::fromUtf8(R"(((?:\w*app\.\w+\(\))|\b\w+)\s*(?:->|\.)\s*(\w+)\s*(?:->|\.)\s*(\w+)\s*\()"));
    for (auto it = onControl.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString owner = ownerOf(m.captured(1));
        if (owner.isEmpty() || !windows[owner].controls.contains(m.captured(2)))
            continue;
        if (!allowedOnForeignControls().contains(m.captured(3)))
            report(m.capturedStart(), owner, m.captured(2), m.captured(3));
    }
    // alias->call(
    static const QRegularExpression onAlias(QString::fromUtf8(R"(\b(\w+)\s*->\s*(\w+)\s*\()"));
    for (auto it = onAlias.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const auto a = controlVars.constFind(m.captured(1));
        if (a != controlVars.constEnd() && !allowedOnForeignControls().contains(m.captured(2)))
            report(m.capturedStart(), a->owner, a->control, m.captured(2));
    }
    // owner->setSomething( on the other window itself
    static const QRegularExpression onWindow(QString::fromUtf8(R"(((?:\w*app\.\w+\(\))|\b\w+)\s*->\s*(\w+)\s*\()"));
    for (auto it = onWindow.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString owner = ownerOf(m.captured(1));
        if (owner.isEmpty() || windows[owner].controls.contains(m.captured(2)))
            continue;
        if (!allowedOnForeignWindow(m.captured(2), windows[owner]))
            report(m.capturedStart(), owner, QStringLiteral("window"), m.captured(2));
    }
    std::sort(found.begin(), found.end(), [](const Violation &a, const Violation &b) { return a.line < b.line; });
    return found;
}

QMap<QString, QString> readSources(const QString &root)
{
    QMap<QString, QString> sources;
    QDirIterator it(root, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            sources.insert(QDir(root).relativeFilePath(path), QString::fromUtf8(f.readAll()));
    }
    return sources;
}

} // namespace

class TestWindowWrites : public QObject
{
    Q_OBJECT
private slots:
    void theScannerFindsWritesThroughEveryKindOfName()
    {
        // Two made-up windows; the checks below would pass on any tree if this did not fail.
        const QMap<QString, QString> headers{
            {"a/A.h", "class A : public PlayerWindow\n{\npublic:\n    void ShowIt(const QString &t);\n"
                      "    QTimer *TimerA = nullptr;\n    TZDButton *BOne = nullptr, *BTwo = nullptr;\n};\n"},
            {"b/B.h", "class B : public PlayerWindow\n{\npublic:\n    void Go();\n    QSlider *Pos = nullptr;\n};\n"}};
        const QMap<QString, Window> windows = readWindows(headers);
        QCOMPARE(windows.value("A").controls, (QSet<QString>{"TimerA", "BOne", "BTwo"}));
        QVERIFY(windows.value("A").operations.contains("ShowIt"));
        const QMap<QString, QString> accessors{{"formA", "A"}, {"formB", "B"}};

        const QString source = "void B::Go()\n{\n"
                               "    Pos->setValue(1);\n"                  // its own: fine
                               "    app.formA()->TimerA->start();\n"      // line 4
                               "    A *a = app.formA();\n"
                               "    a->BTwo->setEnabled(false);\n"        // line 6
                               "    if (a->BOne->down()) a->BOne->click();\n"
                               "    QTimer *t = app.formA()->TimerA;\n"
                               "    t->stop();\n"                         // line 9
                               "    a->setWindowTitle(\"x\");\n"          // line 10
                               "    a->ShowIt(\"y\"); a->move(1, 2);\n"
                               "    // app.formA()->TimerA->stop();\n"
                               "}\n";
        const QList<Violation> found = scan("b/B.cpp", source, windows, accessors);
        QList<int> lines;
        for (const Violation &v : found)
            lines << v.line;
        QCOMPARE(lines, (QList<int>{4, 6, 9, 10}));
        QCOMPARE(found.first().writer, QStringLiteral("B"));
        QVERIFY2(found.first().text().startsWith("b/B.cpp:4: B calls start on A's TimerA."),
                 qPrintable(found.first().text()));
    }

    void noWindowWritesAnotherWindowsControls()
    {
        const QString root = qEnvironmentVariable("BRIVARA_SOURCE_DIR") + QStringLiteral("/src");
        const QMap<QString, QString> sources = readSources(root);
        QVERIFY2(sources.contains("ui/app/Player.h"), qPrintable("no sources under " + root));
        const QMap<QString, Window> windows = readWindows(sources);
        // The nine windows, each with the controls its header declares.
        QCOMPARE(windows.size(), 9);
        QVERIFY(windows.value("TForm1").controls.contains("BPlay"));
        QVERIFY(windows.value("TFormPlayList").controls.contains("BPlay"));
        const QMap<QString, QString> accessors = readAccessors(sources.value("ui/app/Player.h"));
        QCOMPARE(accessors.value("formPlayList"), QStringLiteral("TFormPlayList"));

        QStringList problems;
        for (auto it = sources.begin(); it != sources.end(); ++it)
            if (it.key().startsWith(QLatin1String("ui/")))
                for (const Violation &v : scan("src/" + it.key(), it.value(), windows, accessors))
                    problems << v.text();
        if (!problems.isEmpty())
            qWarning().noquote() << problems.size() << "cross-window writes:\n" + problems.join('\n');
        QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0)));
    }
};

QTEST_GUILESS_MAIN(TestWindowWrites)
#include "test_window_writes.moc"
