#include "core/ControlProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <array>
#include <cmath>
#include <utility>

namespace {

struct CommandEntry
{
    const char *name;
    ControlCommand command;
};

constexpr std::array<CommandEntry, 10> Commands{{
    {"state", ControlCommand::State},
    {"get", ControlCommand::Get},
    {"set", ControlCommand::Set},
    {"click", ControlCommand::Click},
    {"dialog", ControlCommand::Dialog},
    {"answer", ControlCommand::Answer},
    {"key", ControlCommand::Key},
    {"open", ControlCommand::Open},
    {"screenshot", ControlCommand::Screenshot},
    {"quit", ControlCommand::Quit},
}};

// Reads one field of the request object; every reader leaves a reason in `error` when the
// field is present but unusable, or required and missing.
class Fields
{
public:
    explicit Fields(const QJsonObject &object) : m_object(object) {}

    QString error;

    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }

    std::optional<QString> string(const char *key, bool required, bool allowEmpty = false)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined()) {
            if (required)
                fail(QStringLiteral("missing field \"%1\"").arg(QLatin1String(key)));
            return std::nullopt;
        }
        if (!v.isString()) {
            fail(QStringLiteral("field \"%1\" must be a string").arg(QLatin1String(key)));
            return std::nullopt;
        }
        if (!allowEmpty && v.toString().isEmpty()) {
            fail(QStringLiteral("field \"%1\" must not be empty").arg(QLatin1String(key)));
            return std::nullopt;
        }
        return v.toString();
    }

    std::optional<int> integer(const char *key)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined()) {
            fail(QStringLiteral("missing field \"%1\"").arg(QLatin1String(key)));
            return std::nullopt;
        }
        const double d = v.toDouble();
        if (!v.isDouble() || !std::isfinite(d) || std::floor(d) != d || std::fabs(d) > 1e9) {
            fail(QStringLiteral("field \"%1\" must be an integer").arg(QLatin1String(key)));
            return std::nullopt;
        }
        return static_cast<int>(d);
    }

    // An optional flag: false when absent.
    bool flag(const char *key)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isBool())
            fail(QStringLiteral("field \"%1\" must be a boolean").arg(QLatin1String(key)));
        return v.toBool();
    }

    bool ok() const { return error.isEmpty(); }

private:
    void fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
    }

    const QJsonObject &m_object;
};

ControlParseResult failure(const QString &message)
{
    return {std::nullopt, message};
}

QByteArrayView trimLineEnd(QByteArrayView line)
{
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    return line;
}

// A control addressed by its window, as get, set and click share it.
bool readTarget(Fields &fields, ControlRequest &request, bool controlRequired)
{
    if (auto w = fields.string("window", true))
        request.window = *w;
    if (auto c = fields.string("control", controlRequired))
        request.control = *c;
    return fields.ok();
}

bool readAnswer(const QJsonObject &object, Fields &fields, ControlRequest &request)
{
    int choices = 0;
    if (fields.has("button")) {
        ++choices;
        if (auto b = fields.string("button", true))
            request.button = *b;
    }
    if (fields.has("paths")) {
        ++choices;
        const QJsonValue v = object.value(QLatin1String("paths"));
        if (!v.isArray() || v.toArray().isEmpty()) {
            fields.error = QStringLiteral("field \"paths\" must be a non-empty array of strings");
            return false;
        }
        for (const QJsonValue &p : v.toArray()) {
            if (!p.isString() || p.toString().isEmpty()) {
                fields.error = QStringLiteral("field \"paths\" must be a non-empty array of strings");
                return false;
            }
            request.paths << p.toString();
        }
    }
    if (fields.has("cancel")) {
        const QJsonValue v = object.value(QLatin1String("cancel"));
        if (!v.isBool()) {
            fields.error = QStringLiteral("field \"cancel\" must be a boolean");
            return false;
        }
        request.cancel = v.toBool();
        if (request.cancel)
            ++choices;
    }
    if (!fields.ok())
        return false;
    if (choices != 1) {
        fields.error = QStringLiteral(
            "answer needs exactly one of \"button\", \"paths\" or \"cancel\":true");
        return false;
    }
    return true;
}

} // namespace

namespace ControlProtocol {

ControlParseResult parseRequest(QByteArrayView rawLine)
{
    const QByteArrayView line = trimLineEnd(rawLine);
    if (line.size() > MaxLineBytes)
        return failure(QStringLiteral("request line longer than %1 bytes").arg(MaxLineBytes));
    if (line.trimmed().isEmpty())
        return failure(QStringLiteral("empty request"));

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return failure(QStringLiteral("invalid JSON at offset %1: %2")
                           .arg(parseError.offset)
                           .arg(parseError.errorString()));
    if (!doc.isObject())
        return failure(QStringLiteral("request must be a JSON object"));

    const QJsonObject object = doc.object();
    const QJsonValue cmd = object.value(QLatin1String("cmd"));
    if (cmd.isUndefined())
        return failure(QStringLiteral("missing field \"cmd\""));
    if (!cmd.isString())
        return failure(QStringLiteral("field \"cmd\" must be a string"));

    ControlRequest request;
    bool known = false;
    for (const CommandEntry &entry : Commands) {
        if (cmd.toString() == QLatin1String(entry.name)) {
            request.command = entry.command;
            known = true;
            break;
        }
    }
    if (!known)
        return failure(QStringLiteral("unknown command \"%1\"").arg(cmd.toString()));

    Fields fields(object);
    switch (request.command) {
    case ControlCommand::State:
    case ControlCommand::Dialog:
    case ControlCommand::Quit:
        break;
    case ControlCommand::Get:
        readTarget(fields, request, false);
        break;
    case ControlCommand::Click:
        readTarget(fields, request, true);
        break;
    case ControlCommand::Set:
        if (readTarget(fields, request, true)) {
            request.value = object.value(QLatin1String("value"));
            if (request.value.isUndefined())
                fields.error = QStringLiteral("missing field \"value\"");
        }
        break;
    case ControlCommand::Answer:
        readAnswer(object, fields, request);
        break;
    case ControlCommand::Key:
        if (auto row = fields.integer("row")) {
            if (*row < 1 || *row > KeyRows)
                fields.error = QStringLiteral("field \"row\" must be 1..%1").arg(KeyRows);
            else
                request.row = *row;
        }
        break;
    case ControlCommand::Open:
        // An empty path is a second instance started without a file: it only brings the
        // player to the front.
        if (auto p = fields.string("path", true, true))
            request.path = *p;
        break;
    case ControlCommand::Screenshot:
        if (auto p = fields.string("path", false))
            request.path = *p;
        request.overwrite = fields.flag("overwrite");
        break;
    }
    if (!fields.ok())
        return failure(fields.error);
    return {std::move(request), QString()};
}

QString commandName(ControlCommand command)
{
    for (const CommandEntry &entry : Commands) {
        if (entry.command == command)
            return QLatin1String(entry.name);
    }
    return QString();
}

QJsonObject okReply(const QJsonObject &fields)
{
    QJsonObject reply = fields;
    reply.insert(QLatin1String("ok"), true);
    return reply;
}

QJsonObject errorReply(const QString &message)
{
    return QJsonObject{{QLatin1String("ok"), false}, {QLatin1String("error"), message}};
}

QByteArray toLine(const QJsonObject &object)
{
    QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
    line.append('\n');
    return line;
}

std::optional<QJsonObject> parseReply(QByteArrayView rawLine)
{
    QJsonParseError parseError;
    const QJsonDocument doc =
        QJsonDocument::fromJson(trimLineEnd(rawLine).toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

QJsonObject keyRequest(int row)
{
    return QJsonObject{{QLatin1String("cmd"), QLatin1String("key")}, {QLatin1String("row"), row}};
}

QJsonObject openRequest(const QString &path)
{
    return QJsonObject{{QLatin1String("cmd"), QLatin1String("open")}, {QLatin1String("path"), path}};
}

} // namespace ControlProtocol
