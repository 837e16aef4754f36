// No user-visible text in the windows, the dialogs, the batch converter or the command
// line's help escapes translation: every string literal that reads as prose (words with a
// space, a capitalised word, a caption ending in a colon or "...") must be the text of a
// tr(), translate() or QT_TRANSLATE_NOOP() call.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Literals that are names, never translated: the program, its maker, its sample folder.
const QStringList kNames{"Lumetra", "Veltrup", "Samples"};

bool ReadsAsProse(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression capitalised(QStringLiteral("^[A-Z][a-z]+$"));
    if (!text.contains(word) || kNames.contains(text.trimmed())) return false;
    return text.contains(' ') || text.contains(capitalised) || text.endsWith(':') || text.endsWith("...");
}

// The code with comments blanked out (string literals kept), so that offsets stay valid.
QString WithoutComments(const QString& code)
{
    static const QRegularExpression comment(QString::fromUtf8(R"re(("(?:[^"\\\n]|\\.)*")|//[^\n]*|/\*[\s\S]*?\*/)re"));
    QRegularExpressionMatchIterator it = comment.globalMatch(code);
    QString out = code;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty())
            out.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), ' '));
    }
    return out;
}

// Whether the literal starting at `at` is (part of) the text argument of a translation call.
bool IsTranslated(const QString& code, qsizetype at)
{
    static const QRegularExpression call(QString::fromUtf8(R"re((\btr|QT_TR_NOOP)\s*\($)re"));
    static const QRegularExpression withContext(
        QString::fromUtf8(R"re((\btranslate|QT_TRANSLATE_NOOP)\s*\(\s*"[^"]*"\s*,$)re"));
    QString before = code.left(at);
    // Literals written one after the other form one text: step back over them.
    static const QRegularExpression adjacent(QString::fromUtf8(R"re("(?:[^"\\\n]|\\.)*"\s*$)re"));
    for (;;) {
        while (!before.isEmpty() && before.back().isSpace()) before.chop(1);
        const QRegularExpressionMatch m = adjacent.match(before);
        if (!m.hasMatch()) break;
        before.chop(m.capturedLength());
    }
    while (!before.isEmpty() && before.back().isSpace()) before.chop(1);
    return call.match(before).hasMatch() || withContext.match(before).hasMatch();
}

// Whether the literal starting at `at` belongs to a statement that writes the timing log,
// which, like every developer's log, stays in English.
bool IsLogText(const QString& code, qsizetype at)
{
    qsizetype start = at;
    while (start > 0 && !QStringLiteral(";{}").contains(code[start - 1])) --start;
    const QString statement = code.mid(start, at - start);
    return statement.contains(QStringLiteral("qCDebug(")) || statement.contains(QStringLiteral("commandClock_."));
}

QStringList Escaping(const QString& path, const QString& code)
{
    static const QRegularExpression literal(QString::fromUtf8(R"re("((?:[^"\\\n]|\\.)*)")re"));
    QStringList found;
    const QString plain = WithoutComments(code);
    for (const QRegularExpressionMatch& m : literal.globalMatch(plain)) {
        const qsizetype line = plain.left(m.capturedStart()).count('\n') + 1;
        if (plain.lastIndexOf(QStringLiteral("#include"), m.capturedStart()) >
            plain.lastIndexOf('\n', m.capturedStart()))
            continue;
        if (ReadsAsProse(m.captured(1)) && !IsTranslated(plain, m.capturedStart()) &&
            !IsLogText(plain, m.capturedStart()))
            found << QStringLiteral("%1:%2: \"%3\"").arg(path).arg(line).arg(m.captured(1));
    }
    return found;
}

QString Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class UntranslatedTextTest : public QObject {
    Q_OBJECT
private slots:
    void everyVisibleTextIsTranslated()
    {
        const QDir source(QStringLiteral(LUMETRA_SOURCE_DIR));
        QStringList escaping;
        int files = 0;
        for (const QString folder : {"mainwindow", "dialogs", "batch"}) {
            const QDir dir(source.filePath(folder));
            for (const QString& name : dir.entryList({"*.cpp", "*.h"}, QDir::Files)) {
                escaping << Escaping(folder + '/' + name, Read(dir.filePath(name)));
                ++files;
            }
        }
        // Of the command line, its help.
        const QString cli = Read(source.filePath("cli/help_text.cpp"));
        const qsizetype help = cli.indexOf(QStringLiteral("QString HelpText()"));
        QVERIFY(help >= 0);
        escaping << Escaping("cli/help_text.cpp", cli.mid(help, cli.indexOf(QStringLiteral("\n}\n"), help) - help));
        QVERIFY(files > 20);
        QVERIFY2(escaping.isEmpty(), qPrintable("not translated:\n" + escaping.join('\n')));
    }

    // The scan itself: what it must catch and what it must let pass.
    void scanTellsProseFromNames()
    {
        const QString code = R"(
            label->setText(QStringLiteral("Please wait..."));
            button = new QPushButton(QStringLiteral("Remove"), this);
            box->setObjectName(QStringLiteral("CmdRemove"));
            title = tr("Batch"
                       " Converter");
            // QStringLiteral("a comment")
            error = QCoreApplication::translate("lumetra::Help", "Cannot open %1.");
            key = QStringLiteral("OutDir");
            commandClock_.Mark(QStringLiteral("list complete"));
        )";
        const QStringList found = Escaping("x.cpp", code);
        QCOMPARE(found, QStringList({R"(x.cpp:2: "Please wait...")", R"(x.cpp:3: "Remove")"}));
    }
};

QTEST_GUILESS_MAIN(UntranslatedTextTest)
#include "untranslated_text_test.moc"
