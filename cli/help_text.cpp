#include "cli/help_text.h"

#include <QCoreApplication>

#include "engine/catalogue.h"
#include "engine/options.h"
#include "translations/captions.h"

namespace lumetra::cli {

namespace {

QString ParameterLines()
{
    QString lines;
    for (const ParameterInfo& p : kParameters) {
        const QString option =
            QStringLiteral("--%1 N").arg(QString::fromUtf8(p.option.data(), qsizetype(p.option.size())));
        const QString caption = ParameterCaption(p).remove(QLatin1Char(':')).trimmed();
        lines += QCoreApplication::translate("lumetra::cli::Help", "  %1%2 %3..%4, default %5\n")
                     .arg(option.leftJustified(24))
                     .arg(caption + QLatin1Char(','))
                     .arg(p.minimum)
                     .arg(p.maximum)
                     .arg(p.resetValue);
    }
    return lines;
}

}  // namespace

QString HelpText()
{
    // In the user's language; the options, commands and examples stay as typed.
    return QCoreApplication::translate(
               "lumetra::cli::Help",
               "Usage:\n"
               "  lumetra-cli render  INPUT OUTPUT [--effect E] [--size WxH [--stretch]] [PARAMS]\n"
               "  lumetra-cli gallery INPUT OUTDIR [--format FMT] [--size WxH [--stretch]] [PARAMS]\n"
               "  lumetra-cli batch   INPUT... --out DIR [--effect E] [--format FMT] [--size WxH [--stretch]]\n"
               "                      [--jobs N] [--recursive] [--files-from FILE|- [--null]] [--shard K/N]\n"
               "                      [--skip-existing] [--report FILE.jsonl] [PARAMS]\n"
               "  lumetra-cli effects\n"
               "  lumetra-cli --help | --version\n"
               "\n"
               "render  writes one effect of INPUT to OUTPUT, in the format of OUTPUT's extension\n"
               "        (.jpg .jpeg .png .gif .tif .tiff .bmp). E: 0..19 or a name (default 1, \"Sketch\").\n"
               "gallery writes all twenty pictures to OUTDIR/NN-name.FMT (FMT default png).\n"
               "batch   writes one effect of every INPUT to DIR/<base name>.FMT (E: 1..17, default 1;\n"
               "        FMT default jpg), N files at a time on one core each (default: one per\n"
               "        processor core). Inputs are taken in sorted order, each once; when two would\n"
               "        write the same file, the later is written as \"<base name> (2).FMT\".\n"
               "        --recursive       folders among the inputs are converted with their sub-folders;\n"
               "                          the outputs keep the same folders below DIR\n"
               "        --files-from FILE more inputs, one per line (- reads standard input;\n"
               "                          --null: separated by NUL, as find -print0 writes them)\n"
               "        --shard K/N       convert only the inputs at positions K, K+N, K+2N, ... of\n"
               "                          the sorted list (N processes with K = 0..N-1 cover it once)\n"
               "        --skip-existing   leave out inputs whose output is newer than they are\n"
               "        --report FILE     append one JSON line per input: input, output, status\n"
               "                          (ok, failed, skipped), reason, milliseconds, width, height\n"
               "effects lists the effects with their numbers.\n"
               "\n"
               "FMT is jpg, png, gif, tif or bmp. --size WxH (each 10..10000) fits the picture inside\n"
               "W x H keeping its shape, or makes it exactly W x H with --stretch.\n"
               "--max-megapixels N refuses larger pictures before reading them (default 100).\n"
               "\n"
               "PARAMS:\n") +
           ParameterLines() +
           QCoreApplication::translate(
               "lumetra::cli::Help",
               "  --blur, --sharpen       post-filters (both: blur first)\n"
               "  --adjust, --no-adjust   adjust sketch depth (default on)\n"
               "  --color-sketch, --no-color-sketch\n"
               "                          colour sketch (default off; only while adjust is on)\n"
               "  --mix, --no-mix         mix similar colours (default on)\n"
               "\n"
               "Exit status: 0 all done; 1 some input could not be read or some output not written;\n"
               "2 usage error.\n"
               "\n"
               "Example:\n"
               "  lumetra-cli render Samples/chelsea.png chelsea-pencil.png --effect \"pencil sketch\"\n") +
           QCoreApplication::translate(
               "lumetra::cli::Help",
               "\n"
               "Pictures read: BMP, GIF, JPEG, PNG, TIFF, HEIC/HEIF, AVIF, WebP, JPEG XL (any INPUT);\n"
               "written: JPEG, PNG, GIF, TIFF, BMP.\n"
               "Photo details: JPEG, PNG and TIFF outputs of render, gallery and batch keep the input's\n"
               "date and time, camera, artist and copyright (EXIF); its GPS position only with\n"
               "--keep-location; --strip-metadata writes none of them.\n");
}

QString VersionText() { return QStringLiteral("lumetra-cli %1\n").arg(QStringLiteral(LUMETRA_VERSION)); }

QString EffectsText()
{
    QString text;
    for (const EffectInfo& effect : kCatalogue) {
        const QString name = QString::fromUtf8(effect.name.data(), qsizetype(effect.name.size()));
        const QString where = IsPixelEffect(effect.slot) ? QStringLiteral("render, batch") : QStringLiteral("render");
        text += QStringLiteral("%1  %2 %3\n")
                    .arg(effect.slot, 2, 10, QLatin1Char('0'))
                    .arg(name.leftJustified(18))
                    .arg(where);
    }
    return text;
}

}  // namespace lumetra::cli
