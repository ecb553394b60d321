# Source sets of the targets, found by folder so that a new file needs no edit here.
#
#   <subsystem>/*.cpp          toolkit-free core
#   <subsystem>/qt/*.cpp       the Qt window side of that subsystem
#   *_posix.cpp / *_win.cpp    platform halves, picked per platform
#   *_main.cpp                 program entry points, never part of a library

set(VELMORA_CORE_FOLDERS text web sellers buyers export update app)

function(velmora_filter_platform out_var)
    set(files ${ARGN})
    if(WIN32)
        list(FILTER files EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER files EXCLUDE REGEX "_win\\.cpp$")
    endif()
    list(FILTER files EXCLUDE REGEX "_main\\.cpp$")
    set(${out_var} ${files} PARENT_SCOPE)
endfunction()

function(velmora_collect_core_sources out_var)
    set(all)
    foreach(folder IN LISTS VELMORA_CORE_FOLDERS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
        list(APPEND all ${found})
    endforeach()
    velmora_filter_platform(all ${all})
    set(${out_var} ${all} PARENT_SCOPE)
endfunction()

function(velmora_collect_window_sources out_var)
    set(all)
    foreach(folder IN LISTS VELMORA_CORE_FOLDERS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/qt/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/qt/*.h)
        list(APPEND all ${found})
    endforeach()
    velmora_filter_platform(all ${all})
    set(${out_var} ${all} PARENT_SCOPE)
endfunction()

# The core must stay free of the window toolkit: fail the configure step when a core
# file includes a Qt header.
function(velmora_forbid_toolkit_headers sources)
    foreach(folder IN LISTS VELMORA_CORE_FOLDERS)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
        list(APPEND sources ${headers})
    endforeach()
    foreach(file IN LISTS sources)
        file(STRINGS ${file} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|qt[a-z]*/)")
        if(hits)
            message(FATAL_ERROR "The core must not include the window toolkit: ${file}: ${hits}")
        endif()
    endforeach()
endfunction()
