# Builds the installer's payload: the 17 files, their zlib streams, the
# resource script and the generated manifest.
#
# Include after add_subdirectory(resources/standins). Sets for the caller:
#   LKP_PAYLOAD_RC            payload.rc (resource script of the streams and the licence)
#   LKP_PAYLOAD_MANIFEST_CPP  PayloadManifest.cpp (the manifest and the licence checksum)
#   LKP_PAYLOAD_PACK_DIR      folder of both, of the IDR_nn.z streams and of license.txt
#   LKP_PAYLOAD_FILES_DIR     folder of the 17 uncompressed files, for byte comparisons
#   LKP_PAYLOAD_STREAMS       the 17 IDR_nn.z files, in manifest order
# and defines lkp_add_payload(target), which adds both generated sources to a
# target with the dependencies they need.

set(LKP_PAYLOAD_DIR "" CACHE PATH
    "Folder holding the 17 real payload files; empty builds the stand-ins from resources/")
if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
    set(_lkp_default_cache "$ENV{HOME}/.cache/lorimund-payload")
else()
    set(_lkp_default_cache "${CMAKE_BINARY_DIR}/payload-cache")
endif()
set(LKP_PAYLOAD_CACHE_DIR "${_lkp_default_cache}" CACHE PATH
    "Cache of compressed payload streams, shared between build folders")

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Manifest order; must match PAYLOAD_FILES in tools/pack_payload.py.
set(LKP_PAYLOAD_FILE_NAMES
    npmelko.dll melko.exe tonal32.dll tonal95.dll tonal16.dll basic.lyt melko.hlp
    remove.exe backdrop.bmp sample1.kar sample2.kar sample3.mid sample4.mid
    sample5.mid sample6.mid sample7.mid sample8.kar)
set(_lkp_data_names
    basic.lyt melko.hlp backdrop.bmp sample1.kar sample2.kar sample3.mid sample4.mid
    sample5.mid sample6.mid sample7.mid sample8.kar)
set(_lkp_standin_targets)

set(_lkp_tools ${CMAKE_CURRENT_LIST_DIR}/../tools)
get_filename_component(_lkp_tools ${_lkp_tools} ABSOLUTE)
get_filename_component(_lkp_license ${CMAKE_CURRENT_LIST_DIR}/../resources/license.txt ABSOLUTE)

if(LKP_PAYLOAD_DIR STREQUAL "")
    set(LKP_PAYLOAD_FILES_DIR ${CMAKE_BINARY_DIR}/standins/payload)

    set(_lkp_data_files)
    foreach(name ${_lkp_data_names})
        list(APPEND _lkp_data_files ${LKP_PAYLOAD_FILES_DIR}/${name})
    endforeach()
    # The generator rewrites only changed files; Ninja's restat then skips
    # the repack when a script edit leaves the data as it was.
    add_custom_command(
        OUTPUT ${_lkp_data_files}
        COMMAND ${Python3_EXECUTABLE} ${_lkp_tools}/make_payload_data.py ${LKP_PAYLOAD_FILES_DIR}
        DEPENDS ${_lkp_tools}/make_payload_data.py
        COMMENT "Generating the stand-in payload data"
        VERBATIM)

    set(_lkp_binary_files)
    set(_lkp_copy_commands)
    # The uninstaller is the real one (uninstall/); the others are stand-ins.
    foreach(pair standin_melko:melko.exe uninstaller:remove.exe standin_npmelko:npmelko.dll
                 standin_tonal32:tonal32.dll standin_tonal95:tonal95.dll
                 standin_tonal16:tonal16.dll)
        string(REPLACE ":" ";" pair ${pair})
        list(GET pair 0 _target)
        list(GET pair 1 _file)
        list(APPEND _lkp_binary_files ${LKP_PAYLOAD_FILES_DIR}/${_file})
        list(APPEND _lkp_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
             $<TARGET_FILE:${_target}> ${LKP_PAYLOAD_FILES_DIR}/${_file})
        list(APPEND _lkp_standin_targets ${_target})
    endforeach()
    add_custom_command(
        OUTPUT ${_lkp_binary_files}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LKP_PAYLOAD_FILES_DIR}
        ${_lkp_copy_commands}
        DEPENDS ${_lkp_standin_targets}
        COMMENT "Copying the stand-in payload programs"
        VERBATIM)
else()
    get_filename_component(LKP_PAYLOAD_FILES_DIR ${LKP_PAYLOAD_DIR} ABSOLUTE)
endif()

set(LKP_PAYLOAD_PACK_DIR ${CMAKE_BINARY_DIR}/payload-pack)
set(LKP_PAYLOAD_RC ${LKP_PAYLOAD_PACK_DIR}/payload.rc)
set(LKP_PAYLOAD_MANIFEST_CPP ${LKP_PAYLOAD_PACK_DIR}/PayloadManifest.cpp)

set(_lkp_payload_inputs)
set(LKP_PAYLOAD_STREAMS)
set(_index 0)
foreach(name ${LKP_PAYLOAD_FILE_NAMES})
    list(APPEND _lkp_payload_inputs ${LKP_PAYLOAD_FILES_DIR}/${name})
    string(LENGTH "${_index}" _digits)
    if(_digits EQUAL 1)
        list(APPEND LKP_PAYLOAD_STREAMS ${LKP_PAYLOAD_PACK_DIR}/IDR_0${_index}.z)
    else()
        list(APPEND LKP_PAYLOAD_STREAMS ${LKP_PAYLOAD_PACK_DIR}/IDR_${_index}.z)
    endif()
    math(EXPR _index "${_index} + 1")
endforeach()

add_custom_command(
    OUTPUT ${LKP_PAYLOAD_RC} ${LKP_PAYLOAD_MANIFEST_CPP} ${LKP_PAYLOAD_PACK_DIR}/license.txt
           ${LKP_PAYLOAD_STREAMS}
    COMMAND ${Python3_EXECUTABLE} ${_lkp_tools}/pack_payload.py
            --payload-dir ${LKP_PAYLOAD_FILES_DIR}
            --license ${_lkp_license}
            --out-dir ${LKP_PAYLOAD_PACK_DIR}
            --cache-dir ${LKP_PAYLOAD_CACHE_DIR}
    DEPENDS ${_lkp_payload_inputs} ${_lkp_license} ${_lkp_tools}/pack_payload.py
    COMMENT "Packing the payload"
    VERBATIM)
add_custom_target(payload_pack
    DEPENDS ${LKP_PAYLOAD_RC} ${LKP_PAYLOAD_MANIFEST_CPP})

# Adds the payload resources and the manifest to an executable. windres finds
# the streams beside payload.rc by itself; OBJECT_DEPENDS recompiles the
# script when a stream changes, since windres reports no dependencies.
function(lkp_add_payload target)
    target_sources(${target} PRIVATE ${LKP_PAYLOAD_RC} ${LKP_PAYLOAD_MANIFEST_CPP})
    set_source_files_properties(${LKP_PAYLOAD_RC} ${LKP_PAYLOAD_MANIFEST_CPP}
        TARGET_DIRECTORY ${target} PROPERTIES GENERATED TRUE)
    set_source_files_properties(${LKP_PAYLOAD_RC} TARGET_DIRECTORY ${target} PROPERTIES
        OBJECT_DEPENDS "${LKP_PAYLOAD_STREAMS};${LKP_PAYLOAD_PACK_DIR}/license.txt")
    add_dependencies(${target} payload_pack)
endfunction()

# For a target in this same directory that lists ${LKP_PAYLOAD_RC} itself.
set_source_files_properties(${LKP_PAYLOAD_RC} PROPERTIES
    OBJECT_DEPENDS "${LKP_PAYLOAD_STREAMS};${LKP_PAYLOAD_PACK_DIR}/license.txt")
