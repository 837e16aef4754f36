#pragma once
// The texts lumetra-cli prints for --help, --version and the effects command.

#include <QString>

namespace lumetra::cli {

QString HelpText();
QString VersionText();
QString EffectsText();

}  // namespace lumetra::cli
