#pragma once
// The translations for the user's language (LANG, LC_MESSAGES, LC_ALL): Lumetra's own,
// embedded in the program, and Qt's for its standard dialogs and buttons. English, the
// language of the source texts, needs none.
//
// Right after the application object is made:
//     lumetra::InstallTranslators();

namespace lumetra {

void InstallTranslators();

}  // namespace lumetra
