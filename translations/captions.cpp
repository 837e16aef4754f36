#include "translations/captions.h"

#include <QCoreApplication>
#include <string>

#include "engine/catalogue.h"

namespace lumetra {

namespace {

// The context engine_captions.cpp gives the captions in the .ts files.
QString Translated(std::string_view caption)
{
    return QCoreApplication::translate("lumetra::EngineCaptions", std::string(caption).c_str());
}

}  // namespace

QString EffectCaption(int slot) { return Translated(kCatalogue[slot].name); }

QString ParameterCaption(const ParameterInfo& parameter) { return Translated(parameter.caption); }

}  // namespace lumetra
