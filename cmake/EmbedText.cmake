# Writes OUTPUT, a header holding each file of FILES as a character array named after it
# ("page.js" -> Page_js), so that a page's parts are built into the program. Run as
#   cmake -DOUTPUT=... -DNAMESPACE=... "-DFILES=a|b" -P EmbedText.cmake
# ("|" between the files: a ";" would split the command's argument).
string(REPLACE "|" ";" FILES "${FILES}")
set(text "// Made from the files beside the sources at build time; edit those, not this.\n#pragma once\n\nnamespace ${NAMESPACE} {\n")
foreach(file IN LISTS FILES)
    get_filename_component(base "${file}" NAME)
    string(REGEX REPLACE "[^A-Za-z0-9]" "_" symbol "${base}")
    string(SUBSTRING "${symbol}" 0 1 first)
    string(TOUPPER "${first}" first)
    string(SUBSTRING "${symbol}" 1 -1 rest)
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(APPEND text "\ninline constexpr char ${first}${rest}[] = {${bytes}'\\0'};\n")
endforeach()
string(APPEND text "\n}  // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
