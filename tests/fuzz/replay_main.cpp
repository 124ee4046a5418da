// Runs a fuzz entry point as a plain program (any compiler): every file named on the
// command line (folders: every file in them), then, with a fixed seed so that every run is
// the same, mutations of each: bytes changed, tokens (the built-in ones and those of
// "--dict FILE", in libFuzzer's dictionary format) inserted, bytes removed, pieces of other
// files spliced in, the file turned into UTF-16. Ends with a non-zero status only by crashing.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void run(const QByteArray &input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
}

// What any of the text readers splits on, or trips over.
const char *const Tokens[] = {"{", "}", "[", "]", ":", "=", "\"", ",", "\r\n", "\n\n", "\r", "00:00:",
                              "99999999999", "-1", "\xEF\xBB\xBF", "\xFF\xFE", ";", "\xC4\x85", "\xB9",
                              "\x9C", "\xF0\x9F\x98", "\0"};

// The quoted entries of a libFuzzer dictionary ("\xNN", "\\" and "\"" escaped).
QList<QByteArray> readDictionary(const QString &path)
{
    QList<QByteArray> tokens;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype open = line.indexOf('"');
        if (line.startsWith('#') || open < 0 || !line.endsWith('"') || line.size() - open < 2)
            continue;
        const QByteArray quoted = line.mid(open + 1, line.size() - open - 2);
        QByteArray token;
        for (qsizetype i = 0; i < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 3 < quoted.size() && quoted[i + 1] == 'x') {
                token += char(quoted.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else if (quoted[i] == '\\' && i + 1 < quoted.size()) {
                token += quoted[++i];
            } else {
                token += quoted[i];
            }
        }
        tokens << token;
    }
    return tokens;
}

QByteArray mutate(QByteArray data, const QList<QByteArray> &all, const QList<QByteArray> &tokens,
                  std::mt19937 &random)
{
    const auto pick = [&random](qsizetype n) { return qsizetype(random() % std::max<qsizetype>(n, 1)); };
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps; ++s) {
        const qsizetype at = pick(data.size() + 1);
        switch (random() % 7) {
        case 0:
            if (!data.isEmpty())
                data[pick(data.size())] = char(random());
            break;
        case 1:
            data.insert(at, tokens[pick(tokens.size())]);
            break;
        case 2:
            data.remove(at, pick(64));
            break;
        case 3: {
            const QByteArray &other = all[pick(all.size())];
            const qsizetype from = pick(other.size());
            data.insert(at, other.mid(from, pick(256)));
            break;
        }
        case 4:
            data.insert(at, QByteArray(pick(300), char('0' + random() % 10)));
            break;
        case 5: { // the text as UTF-16, with or without its mark
            QByteArray wide(random() % 2 ? "\xFF\xFE" : "");
            for (qsizetype i = 1; i < data.size(); ++i)
                wide += data.mid(i, 1) + QByteArray(1, '\0');
            data = data.left(1) + wide;
            break;
        }
        case 6:
            if (!data.isEmpty())
                data[0] = char(random()); // another extension and frame rate
            break;
        }
    }
    return data;
}

} // namespace

int main(int argc, char **argv)
{
    QList<QByteArray> inputs;
    QList<QByteArray> tokens(std::begin(Tokens), std::end(Tokens));
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (path == QLatin1String("--dict") && i + 1 < argc) {
            tokens += readDictionary(QString::fromLocal8Bit(argv[++i]));
            continue;
        }
        QStringList files;
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << path;
        }
        files.sort();
        for (const QString &file : files) {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(file));
                return 2;
            }
            inputs << f.readAll();
        }
    }
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", argv[0]);
        return 2;
    }
    const int mutations = qEnvironmentVariableIsSet("FUZZ_REPLAY_MUTATIONS")
        ? qEnvironmentVariableIntValue("FUZZ_REPLAY_MUTATIONS") : 400;
    std::mt19937 random(20240611);
    qsizetype runs = 0;
    for (const QByteArray &input : std::as_const(inputs)) {
        run(input);
        ++runs;
        for (int m = 0; m < mutations; ++m, ++runs)
            run(mutate(input, inputs, tokens, random));
    }
    std::printf("replay: %lld inputs from %lld files, no failure\n", (long long)runs, (long long)inputs.size());
    return 0;
}
