#include "cli/command_line.h"

#include <QFileInfo>
#include <algorithm>
#include <functional>

#include "engine/catalogue.h"

namespace lumetra::cli {

namespace {

constexpr int kMinSide = 10;
constexpr int kMaxSide = 10000;
constexpr int kMaxJobs = 256;

// Which commands accept an option.
enum : unsigned { kRender = 1, kGallery = 2, kBatch = 4 };
constexpr unsigned kFileCommands = kRender | kGallery | kBatch;

unsigned CommandBit(CommandKind kind)
{
    switch (kind) {
    case CommandKind::Render: return kRender;
    case CommandKind::Gallery: return kGallery;
    case CommandKind::Batch: return kBatch;
    default: return 0;
    }
}

QString CommandName(CommandKind kind)
{
    switch (kind) {
    case CommandKind::Render: return QStringLiteral("render");
    case CommandKind::Gallery: return QStringLiteral("gallery");
    case CommandKind::Batch: return QStringLiteral("batch");
    case CommandKind::Effects: return QStringLiteral("effects");
    default: return {};
    }
}

struct OptionRule {
    QString name;       // without the leading dashes
    QString valueHelp;  // empty for a flag
    unsigned commands;
    // Applies the option; returns an error message or "".
    std::function<QString(Command&, const QString& value)> apply;
};

QString RangeError(const QString& option, const QString& value, int minimum, int maximum)
{
    return QStringLiteral("--%1: \"%2\" is not allowed; give a whole number from %3 to %4.")
        .arg(option, value)
        .arg(minimum)
        .arg(maximum);
}

std::optional<int> WholeNumberIn(const QString& text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum) return std::nullopt;
    return value;
}

QString ApplySize(Command& command, const QString& value)
{
    const QStringList sides = value.toLower().split(QLatin1Char('x'));
    QString error = QStringLiteral("--size: \"%1\" is not allowed; give WIDTHxHEIGHT, each from %2 to %3.")
                        .arg(value)
                        .arg(kMinSide)
                        .arg(kMaxSide);
    if (sides.size() != 2) return error;
    const auto width = WholeNumberIn(sides[0], kMinSide, kMaxSide);
    const auto height = WholeNumberIn(sides[1], kMinSide, kMaxSide);
    if (!width || !height) return error;
    const bool keepAspect = command.size ? command.size->keepAspect : true;
    command.size = TargetSize{*width, *height, keepAspect};
    return {};
}

QString ApplyEffect(Command& command, const QString& value)
{
    const std::optional<int> slot = FindEffectSlot(value.trimmed().toStdString());
    if (command.kind == CommandKind::Batch) {
        if (!slot || !IsPixelEffect(*slot))
            return QStringLiteral(
                       "--effect: \"%1\" is not allowed; batch takes an effect from %2 to %3 "
                       "(a number or a name; see \"lumetra-cli effects\").")
                .arg(value)
                .arg(kFirstPixelEffect)
                .arg(kLastPixelEffect);
    } else if (!slot) {
        return QStringLiteral(
                   "--effect: \"%1\" is not allowed; give an effect from 0 to %2 "
                   "(a number or a name; see \"lumetra-cli effects\").")
            .arg(value)
            .arg(kSlotCount - 1);
    }
    command.effectSlot = *slot;
    return {};
}

QString ApplyFormat(Command& command, const QString& value)
{
    const std::optional<PictureFormat> format = WrittenFormatOfExtension(value.trimmed());
    if (!format) return QStringLiteral("--format: \"%1\" is not allowed; give jpg, png, gif, tif or bmp.").arg(value);
    command.format = *format;
    return {};
}

QString ApplyJobs(Command& command, const QString& value)
{
    const auto jobs = WholeNumberIn(value, 1, kMaxJobs);
    if (!jobs) return RangeError(QStringLiteral("jobs"), value, 1, kMaxJobs);
    command.jobs = *jobs;
    return {};
}

QString ApplyMaxMegapixels(Command& command, const QString& value)
{
    const std::optional<double> limit = ParseMegapixelLimit(value);
    if (!limit)
        return QStringLiteral("--max-megapixels: \"%1\" is not allowed; give a number from %2 to %3.")
            .arg(value)
            .arg(kLowestMegapixelLimit)
            .arg(kHighestMegapixelLimit);
    command.maxMegapixels = *limit;
    return {};
}

QString SetFlag(bool EngineOptions::*flag, bool on, Command& command)
{
    command.options.*flag = on;
    return {};
}

std::vector<OptionRule> OptionTable()
{
    std::vector<OptionRule> table;
    for (const ParameterInfo& parameter : kParameters) {
        const QString name = QString::fromUtf8(parameter.option.data(), qsizetype(parameter.option.size()));
        table.push_back({name, QStringLiteral("N"), kFileCommands, [&parameter, name](Command& c, const QString& v) {
                             const auto shown = WholeNumberIn(v, parameter.minimum, parameter.maximum);
                             if (!shown) return RangeError(name, v, parameter.minimum, parameter.maximum);
                             SetShownValue(c.params, parameter.id, *shown);
                             return QString();
                         }});
    }
    const auto flag = [&table](const char* name, bool EngineOptions::*member, bool on) {
        table.push_back({QString::fromLatin1(name), {}, kFileCommands, [member, on](Command& c, const QString&) {
                             return SetFlag(member, on, c);
                         }});
    };
    flag("blur", &EngineOptions::blur, true);
    flag("sharpen", &EngineOptions::sharpen, true);
    flag("adjust", &EngineOptions::adjust, true);
    flag("no-adjust", &EngineOptions::adjust, false);
    flag("color-sketch", &EngineOptions::colorSketch, true);
    flag("no-color-sketch", &EngineOptions::colorSketch, false);
    flag("mix", &EngineOptions::mix, true);
    flag("no-mix", &EngineOptions::mix, false);
    table.push_back({QStringLiteral("effect"), QStringLiteral("E"), kRender | kBatch, ApplyEffect});
    table.push_back({QStringLiteral("format"), QStringLiteral("FMT"), kGallery | kBatch, ApplyFormat});
    table.push_back({QStringLiteral("size"), QStringLiteral("WxH"), kFileCommands, ApplySize});
    table.push_back({QStringLiteral("stretch"), {}, kFileCommands, [](Command& c, const QString&) {
                         if (!c.size) c.size = TargetSize{};
                         c.size->keepAspect = false;
                         return QString();
                     }});
    table.push_back({QStringLiteral("jobs"), QStringLiteral("N"), kBatch, ApplyJobs});
    table.push_back({QStringLiteral("out"), QStringLiteral("DIR"), kBatch, [](Command& c, const QString& v) {
                         if (v.isEmpty()) return QStringLiteral("--out: give the output folder.");
                         c.output = v;
                         return QString();
                     }});
    const auto batchFlag = [&table](const char* name, bool Command::*member) {
        table.push_back({QString::fromLatin1(name), {}, kBatch, [member](Command& c, const QString&) {
                             c.*member = true;
                             return QString();
                         }});
    };
    batchFlag("recursive", &Command::recursive);
    batchFlag("null", &Command::nullSeparated);
    batchFlag("skip-existing", &Command::skipExisting);
    table.push_back({QStringLiteral("files-from"), QStringLiteral("FILE"), kBatch, [](Command& c, const QString& v) {
                         if (v.isEmpty())
                             return QStringLiteral(
                                 "--files-from: give a file that lists the inputs, or - for "
                                 "standard input.");
                         c.filesFrom = v;
                         return QString();
                     }});
    table.push_back({QStringLiteral("shard"), QStringLiteral("K/N"), kBatch, [](Command& c, const QString& v) {
                         c.shard = ParseShard(v);
                         if (!c.shard)
                             return QStringLiteral(
                                        "--shard: \"%1\" is not allowed; give K/N with N from 1 and "
                                        "K from 0 to N-1 (for example 0/4).")
                                 .arg(v);
                         return QString();
                     }});
    table.push_back({QStringLiteral("report"), QStringLiteral("FILE"), kBatch, [](Command& c, const QString& v) {
                         if (v.isEmpty()) return QStringLiteral("--report: give the file to write the report to.");
                         c.reportPath = v;
                         return QString();
                     }});
    table.push_back({QStringLiteral("max-megapixels"), QStringLiteral("N"), kFileCommands, ApplyMaxMegapixels});
    table.push_back({QStringLiteral("keep-location"), {}, kFileCommands, [](Command& c, const QString&) {
                         c.details.keepLocation = true;
                         return QString();
                     }});
    table.push_back({QStringLiteral("strip-metadata"), {}, kFileCommands, [](Command& c, const QString&) {
                         c.details.strip = true;
                         return QString();
                     }});
    return table;
}

std::optional<CommandKind> CommandFromWord(const QString& word)
{
    for (CommandKind kind : {CommandKind::Render, CommandKind::Gallery, CommandKind::Batch, CommandKind::Effects})
        if (word == CommandName(kind)) return kind;
    return std::nullopt;
}

// Positional arguments: their number and meaning per command.
QString TakePositionals(Command& command, const QStringList& positionals)
{
    const QString name = CommandName(command.kind);
    // "" would otherwise name the current folder as an output folder, or no file at all.
    if (positionals.contains(QString()))
        return QStringLiteral("%1: an empty argument is not a file or folder name.").arg(name);
    switch (command.kind) {
    case CommandKind::Render:
        if (positionals.size() != 2) return QStringLiteral("render needs INPUT and OUTPUT.");
        if (!FormatOfOutput(positionals[1]))
            return QStringLiteral("render: OUTPUT \"%1\" must end in .jpg, .jpeg, .png, .gif, .tif, .tiff or .bmp.")
                .arg(positionals[1]);
        command.inputs = {positionals[0]};
        command.output = positionals[1];
        command.format = *FormatOfOutput(positionals[1]);
        return {};
    case CommandKind::Gallery:
        if (positionals.size() != 2) return QStringLiteral("gallery needs INPUT and OUTDIR.");
        command.inputs = {positionals[0]};
        command.output = positionals[1];
        return {};
    case CommandKind::Batch:
        if (positionals.isEmpty() && command.filesFrom.isEmpty())
            return QStringLiteral("batch needs at least one INPUT or --files-from FILE.");
        if (command.nullSeparated && command.filesFrom.isEmpty())
            return QStringLiteral("--null needs --files-from FILE.");
        if (command.output.isEmpty()) return QStringLiteral("batch needs --out DIR.");
        command.inputs = positionals;
        return {};
    case CommandKind::Effects:
        if (!positionals.isEmpty()) return QStringLiteral("effects takes no arguments.");
        return {};
    default: return {};
    }
}

}  // namespace

std::optional<PictureFormat> FormatOfOutput(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? std::nullopt : WrittenFormatOfExtension(name.mid(dot + 1));
}

ParseResult ParseCommandLine(const QStringList& args)
{
    if (args.isEmpty()) return UsageError{QStringLiteral("no command given.")};
    Command command;
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        command.kind = CommandKind::Help;
        return command;
    }
    if (args.first() == QLatin1String("--version")) {
        command.kind = CommandKind::Version;
        return command;
    }

    const std::optional<CommandKind> kind = CommandFromWord(args.first());
    if (!kind)
        return UsageError{
            QStringLiteral("unknown command \"%1\"; use render, gallery, batch or effects.").arg(args.first())};
    command.kind = *kind;
    command.effectSlot = 1;
    command.format = *kind == CommandKind::Batch ? PictureFormat::Jpg : PictureFormat::Png;

    const std::vector<OptionRule> table = OptionTable();
    QStringList positionals;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            positionals.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, equals < 0 ? -1 : equals - 2);
        const auto rule = std::find_if(table.begin(), table.end(), [&](const OptionRule& s) { return s.name == name; });
        if (rule == table.end()) return UsageError{QStringLiteral("unknown option \"--%1\".").arg(name)};
        if (!(rule->commands & CommandBit(command.kind)))
            return UsageError{QStringLiteral("--%1 is not an option of %2.").arg(name, CommandName(command.kind))};
        QString value;
        if (!rule->valueHelp.isEmpty()) {
            if (equals >= 0) {
                value = arg.mid(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return UsageError{QStringLiteral("--%1 needs a value (%2).").arg(name, rule->valueHelp)};
            }
        } else if (equals >= 0) {
            return UsageError{QStringLiteral("--%1 takes no value.").arg(name)};
        }
        if (const QString error = rule->apply(command, value); !error.isEmpty()) return UsageError{error};
    }
    if (command.size && command.size->width == 0)
        return UsageError{
            QStringLiteral("--stretch needs --size WxH (each from %1 to %2).").arg(kMinSide).arg(kMaxSide)};
    if (const QString error = TakePositionals(command, positionals); !error.isEmpty()) return UsageError{error};
    // The panel enables "Color Sketch" exactly while "Adjust sketch depth" is on.
    command.options.colorSketchEnabled = command.options.adjust;
    return command;
}

}  // namespace lumetra::cli
