// The parser: defaults, every parameter's range, and the usage errors.

#include <gtest/gtest.h>

#include "cli/command_line.h"

namespace lumetra::cli {
namespace {

Command Parsed(const QStringList& args)
{
    const ParseResult result = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&result)) {
        ADD_FAILURE() << error->message.toStdString();
        return {};
    }
    return std::get<Command>(result);
}

QString ErrorOf(const QStringList& args)
{
    const ParseResult result = ParseCommandLine(args);
    const auto* error = std::get_if<UsageError>(&result);
    return error ? error->message : QString();
}

TEST(CommandLineTest, DefaultsAreThePanelsResetValues)
{
    const Command render = Parsed({"render", "in.png", "out.tif"});
    EXPECT_EQ(render.kind, CommandKind::Render);
    EXPECT_EQ(render.inputs, QStringList{"in.png"});
    EXPECT_EQ(render.output, "out.tif");
    EXPECT_EQ(render.format, PictureFormat::Tif);
    EXPECT_EQ(render.effectSlot, 1);
    EXPECT_EQ(render.params, EngineParams{});
    EXPECT_EQ(render.options, EngineOptions{});
    EXPECT_FALSE(render.size.has_value());
    EXPECT_EQ(render.maxMegapixels, 100.0);

    EXPECT_EQ(Parsed({"gallery", "in.png", "dir"}).format, PictureFormat::Png);
    const Command batch = Parsed({"batch", "a.png", "b.jpg", "--out", "dir"});
    EXPECT_EQ(batch.format, PictureFormat::Jpg);
    EXPECT_EQ(batch.inputs, (QStringList{"a.png", "b.jpg"}));
    EXPECT_EQ(batch.output, "dir");
    EXPECT_EQ(batch.jobs, 0);
}

TEST(CommandLineTest, EveryParameterTakesItsShownRangeAndRefusesOutside)
{
    for (const ParameterInfo& p : kParameters) {
        const QString option = "--" + QString::fromUtf8(p.option.data(), qsizetype(p.option.size()));
        SCOPED_TRACE(option.toStdString());
        for (int shown : {p.minimum, p.maximum}) {
            const Command c = Parsed({"render", "a.png", "b.png", option, QString::number(shown)});
            EXPECT_EQ(ShownValue(c.params, p.id), shown);
        }
        const QString range = QStringLiteral("%1 to %2").arg(p.minimum).arg(p.maximum);
        for (const QString& bad : {QString::number(p.minimum - 1), QString::number(p.maximum + 1), QString("x")}) {
            const QString error = ErrorOf({"gallery", "a.png", "dir", option, bad});
            EXPECT_TRUE(error.contains(option) && error.contains(range)) << error.toStdString();
        }
    }
    // The two inverted parameters reach the engine inverted.
    const Command c = Parsed({"render", "a.png", "b.png", "--border=200", "--detail", "3"});
    EXPECT_EQ(c.params.EdgeThreshold, 55);
    EXPECT_EQ(c.params.VoteThreshold, 6);
}

TEST(CommandLineTest, FlagsSetTheOptions)
{
    const Command c = Parsed({"render", "a.png", "b.png", "--blur", "--sharpen", "--no-mix", "--color-sketch"});
    EXPECT_TRUE(c.options.blur);
    EXPECT_TRUE(c.options.sharpen);
    EXPECT_FALSE(c.options.mix);
    EXPECT_TRUE(c.options.colorSketch);
    EXPECT_TRUE(c.options.colorSketchEnabled);
    // Colour sketch is enabled only while adjust is on, whatever the order given.
    const Command off = Parsed({"render", "a.png", "b.png", "--color-sketch", "--no-adjust"});
    EXPECT_FALSE(off.options.adjust);
    EXPECT_FALSE(off.options.colorSketchEnabled);
}

TEST(CommandLineTest, EffectsByNumberOrNameWithinEachCommandsRange)
{
    EXPECT_EQ(Parsed({"render", "a.png", "b.png", "--effect", "Pencil Sketch"}).effectSlot, 3);
    EXPECT_EQ(Parsed({"render", "a.png", "b.png", "--effect", "pencil-sketch"}).effectSlot, 3);
    EXPECT_EQ(Parsed({"render", "a.png", "b.png", "--effect", "0"}).effectSlot, 0);
    EXPECT_EQ(Parsed({"render", "a.png", "b.png", "--effect", "TRANSITION 2"}).effectSlot, 19);
    EXPECT_EQ(Parsed({"batch", "a.png", "--out", "d", "--effect", "gray 2 + dot"}).effectSlot, 17);
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--effect", "20"}).contains("0 to 19"));
    for (const char* notInBatch : {"18", "transition 1", "0", "original"}) {
        const QString error = ErrorOf({"batch", "a.png", "--out", "d", "--effect", notInBatch});
        EXPECT_TRUE(error.contains("--effect") && error.contains("1 to 17")) << notInBatch;
    }
}

TEST(CommandLineTest, SizeFormatJobsAndLimit)
{
    const Command fit = Parsed({"batch", "a.png", "--out", "d", "--size", "800X600", "--jobs", "3", "--format", "GIF"});
    ASSERT_TRUE(fit.size.has_value());
    EXPECT_EQ(fit.size->width, 800);
    EXPECT_EQ(fit.size->height, 600);
    EXPECT_TRUE(fit.size->keepAspect);
    EXPECT_EQ(fit.jobs, 3);
    EXPECT_EQ(fit.format, PictureFormat::Gif);
    EXPECT_FALSE(Parsed({"render", "a.png", "b.png", "--stretch", "--size", "10x10000"}).size->keepAspect);
    EXPECT_EQ(Parsed({"render", "a.png", "b.png", "--max-megapixels", "250"}).maxMegapixels, 250.0);
    const Command details = Parsed({"batch", "a.heic", "--out", "d", "--keep-location", "--strip-metadata"});
    EXPECT_TRUE(details.details.keepLocation && details.details.strip);
    EXPECT_FALSE(fit.details.keepLocation || fit.details.strip);

    for (const char* bad : {"9x600", "800x10001", "800", "axb", "800x600x2"})
        EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--size", bad}).contains("10 to 10000")) << bad;
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--stretch"}).contains("--size"));
    EXPECT_TRUE(ErrorOf({"batch", "a.png", "--out", "d", "--jobs", "0"}).contains("--jobs"));
    EXPECT_TRUE(ErrorOf({"batch", "a.png", "--out", "d", "--format", "webp"}).contains("jpg, png, gif, tif or bmp"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--max-megapixels", "0"}).contains("--max-megapixels"));
}

TEST(CommandLineTest, ArchiveOptionsOfBatch)
{
    const Command listed = Parsed({"batch", "--files-from", "-", "--null", "--out", "d", "--shard", "3/4",
                                   "--report=r.jsonl", "--skip-existing", "--recursive"});
    EXPECT_TRUE(listed.inputs.isEmpty());
    EXPECT_EQ(listed.filesFrom, "-");
    EXPECT_TRUE(listed.nullSeparated && listed.skipExisting && listed.recursive);
    ASSERT_TRUE(listed.shard.has_value());
    EXPECT_EQ(listed.shard->index, 3);
    EXPECT_EQ(listed.shard->count, 4);
    EXPECT_EQ(listed.reportPath, "r.jsonl");

    for (const char* bad : {"4/4", "-1/4", "0/0", "1", "a/b", "1/2/3"})
        EXPECT_TRUE(ErrorOf({"batch", "a.png", "--out", "d", "--shard", bad}).contains("K/N")) << bad;
    EXPECT_TRUE(ErrorOf({"batch", "a.png", "--out", "d", "--null"}).contains("--files-from"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--recursive"}).contains("not an option of render"));
}

TEST(CommandLineTest, UsageErrorsNameTheProblem)
{
    EXPECT_FALSE(ErrorOf({}).isEmpty());
    EXPECT_TRUE(ErrorOf({"paint", "a.png"}).contains("paint"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--bogus"}).contains("--bogus"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--border"}).contains("--border needs a value"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--format", "png"}).contains("not an option of render"));
    EXPECT_TRUE(ErrorOf({"gallery", "a.png", "d", "--effect", "3"}).contains("not an option of gallery"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.png", "--blur=yes"}).contains("--blur"));
    EXPECT_TRUE(ErrorOf({"render", "a.png"}).contains("INPUT and OUTPUT"));
    EXPECT_TRUE(ErrorOf({"render", "a.png", "b.webp"}).contains(".jpeg"));
    EXPECT_TRUE(ErrorOf({"batch", "a.png"}).contains("--out"));
    EXPECT_TRUE(ErrorOf({"batch", "--out", "d"}).contains("INPUT"));
    EXPECT_TRUE(ErrorOf({"effects", "x"}).contains("no arguments"));
}

TEST(CommandLineTest, HelpVersionAndOutputExtensions)
{
    EXPECT_EQ(Parsed({"--help"}).kind, CommandKind::Help);
    EXPECT_EQ(Parsed({"render", "--help"}).kind, CommandKind::Help);
    EXPECT_EQ(Parsed({"--version"}).kind, CommandKind::Version);
    EXPECT_EQ(Parsed({"effects"}).kind, CommandKind::Effects);
    EXPECT_EQ(FormatOfOutput("a.JPEG"), PictureFormat::Jpg);
    EXPECT_EQ(FormatOfOutput("a.tiff"), PictureFormat::Tif);
    EXPECT_EQ(FormatOfOutput("a.bmp"), PictureFormat::Bmp);
    EXPECT_EQ(FormatOfOutput("atiff"), std::nullopt);
    // "--" ends the options, so a file may start with dashes.
    EXPECT_EQ(Parsed({"render", "--", "--odd.png", "b.png"}).inputs, QStringList{"--odd.png"});
}

}  // namespace
}  // namespace lumetra::cli
