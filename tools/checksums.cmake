# Run with cmake -P after the packages are built: writes ZIP.sha256 and SETUP.sha256 beside
# them as sha256sum writes them (so that "sha256sum -c" verifies them), and the winget manifest
# from the templates in TEMPLATES into OUT, with VERSION and the setup's hash.
foreach(path IN ITEMS "${ZIP}" "${SETUP}")
    file(SHA256 "${path}" hash)
    cmake_path(GET path FILENAME name)
    file(WRITE "${path}.sha256" "${hash}  ${name}\n")
endforeach()
file(SHA256 "${SETUP}" SETUP_SHA256)
string(TOUPPER "${SETUP_SHA256}" SETUP_SHA256)
file(GLOB templates "${TEMPLATES}/*.yaml.in")
foreach(template IN LISTS templates)
    cmake_path(GET template STEM LAST_ONLY manifest)
    configure_file("${template}" "${OUT}/${manifest}" @ONLY)
endforeach()
