# SPDX-License-Identifier: GPL-3.0-or-later
# The one version of every program and package: the project's version, and
# when the sources are a git work tree, "+" and git's description of it,
# with its dashes as dots ("1.0.0+g1bb8619", "1.0.0+v1.0.0.3.g1bb8619.dirty"),
# which Debian takes as an upstream version.
#
# Included, it defines torvo_version(VARIABLE VERSION SOURCE_DIR). Run as a
# script (cmake -DPROJECT_VERSION=... -DSOURCE_DIR=... -DOUTPUT=... -P), it
# writes OUTPUT, a C++ file defining TorvoVersion(), only when it changes.

function(torvo_version variable version source_dir)
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(
      COMMAND ${GIT_EXECUTABLE} describe --always --dirty=-dirty --abbrev=7
      WORKING_DIRECTORY ${source_dir}
      OUTPUT_VARIABLE description
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET
      RESULT_VARIABLE failed)
    if(NOT failed AND description)
      # A description without a tag is the commit alone: named as git names it in one.
      if(description MATCHES "^[0-9a-f]+(-dirty)?$")
        set(description "g${description}")
      endif()
      string(REPLACE "-" "." description "${description}")
      set(version "${version}+${description}")
    endif()
  endif()
  set(${variable} "${version}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND OUTPUT)
  torvo_version(version "${PROJECT_VERSION}" "${SOURCE_DIR}")
  set(text "// Written at each build by cmake/TorvoVersion.cmake.\n#include \"version/TorvoVersion.h\"\n\nconst char* TorvoVersion() {\n    return \"${version}\";\n}\n")
  if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${OUTPUT}" "${text}")
  endif()
endif()
