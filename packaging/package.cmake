# The Debian package, made by `cpack -G DEB` from the build folder (scripts/package.sh):
# lumetra_<version>_amd64.deb with the libraries it links found by dpkg-shlibdeps, and
# the Qt plugins it loads at run time named by hand (no linker sees those).
set(CPACK_PACKAGE_NAME lumetra)
set(CPACK_PACKAGE_VENDOR Veltrup)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn photographs into pencil drawings and flat-colour renderings")
set(CPACK_PACKAGE_DESCRIPTION
"Lumetra turns a photograph into pencil drawings and stylised flat-colour
renderings. Open or paste a picture, set five sketch parameters and five
options, and get nineteen effects in a thumbnail gallery with a full-size
preview; save or copy any of them, or convert a whole list of files with
one effect in the batch converter.
.
lumetra-cli does the same from the command line, without a window.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
# Qt's own dialogs and buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
