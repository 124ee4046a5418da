// Fuzz entry point of the control socket's request parser: any line a client may send.
// A refused line says why; a reply always makes one line that reads back as itself.
#include "FuzzSupport.h"
#include "core/ControlProtocol.h"

#include <QJsonDocument>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray line = Fuzz::bytesOf(data, size);
    const ControlParseResult parsed = ControlProtocol::parseRequest(line);
    Fuzz::require(parsed.request.has_value() == parsed.error.isEmpty());
    QJsonObject reply;
    if (parsed.request) {
        const ControlRequest &request = *parsed.request;
        Fuzz::require(!ControlProtocol::commandName(request.command).isEmpty());
        if (request.command == ControlCommand::Key)
            Fuzz::require(request.row >= 1 && request.row <= ControlProtocol::KeyRows);
        reply = ControlProtocol::okReply({{"echo", request.path + request.window + request.control}});
    } else {
        reply = ControlProtocol::errorReply(parsed.error);
    }
    const QByteArray out = ControlProtocol::toLine(reply);
    Fuzz::require(out.endsWith('\n') && out.count('\n') == 1);
    const auto back = ControlProtocol::parseReply(out);
    Fuzz::require(back.has_value() && *back == reply);
    // What the server reads is the line before its newline; so is what a client reads.
    ControlProtocol::parseReply(line);
    return 0;
}
