// Running out of memory in the middle of a run: the process's address space is capped
// just above what it uses, so the engine's planes cannot be had. The run must stop
// with a message, leave the engine usable and leave files on disk alone.

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli/file_commands.h"
#include "cli/run_support.h"
#include "engine/gallery.h"
#include "imaging/plane_transfer.h"
#include "tests/hostile/address_space_cap.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/hostile/scratch_files.h"

namespace lumetra {
namespace {

using test::AddressSpaceCap;
using test::kMegabyte;
using OutOfMemory = test::ScratchFiles;

Engine EngineFor(int width, int height)
{
    Engine engine;
    engine.SrcPixels = LoadPixels(test::Gradient(width, height));
    engine.PencilTexture = LoadPencilTexture();
    return engine;
}

TEST_F(OutOfMemory, GalleryStopsWithAMessageAndTheEngineStaysUsable)
{
    if (test::kAddressSanitizer) GTEST_SKIP();
    Engine small = EngineFor(8, 8);
    const std::vector<PixelPlane> expected = RenderGallery(small);  // also starts the engine's threads

    Engine large = EngineFor(3000, 2000);  // its layers need about 240 MB
    std::string message;
    {
        const AddressSpaceCap cap(64 * kMegabyte);
        try {
            RenderGallery(large);
        } catch (const EngineError& error) {
            message = error.what();
        }
    }
    EXPECT_NE(message.find("not enough memory"), std::string::npos) << message;
    EXPECT_NE(message.find("3000 x 2000"), std::string::npos) << message;

    Engine again = EngineFor(8, 8);
    EXPECT_EQ(RenderGallery(again), expected);
}

TEST_F(OutOfMemory, RenderNamesTheFileAndKeepsTheOldOutput)
{
    if (test::kAddressSanitizer) GTEST_SKIP();
    const QString input =
        Write("large.png", hostile::OneColorPicture(4000, 3000, qRgb(120, 130, 140), PictureFormat::Png));
    const QString output = Write("out.png", "an earlier result");

    const auto parsed = cli::ParseCommandLine({"render", input, output, "--effect", "pencil sketch"});
    const cli::Command& command = std::get<cli::Command>(parsed);
    testing::internal::CaptureStderr();
    int status = 0;
    {
        // Reading needs about 100 MB at its peak, the pencil layers several hundred.
        const AddressSpaceCap cap(160 * kMegabyte);
        cli::Console console;
        status = cli::RunRender(command, console);
    }
    const QString messages = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(status, cli::kExitFailed);
    EXPECT_TRUE(messages.contains(input)) << messages.toStdString();
    EXPECT_TRUE(messages.contains("not enough memory")) << messages.toStdString();
    EXPECT_TRUE(messages.contains("4000 x 3000")) << "the engine, not the reader, ran out: " << messages.toStdString();
    EXPECT_EQ(test::ReadBytes(output), QByteArray("an earlier result"));
}

}  // namespace
}  // namespace lumetra
