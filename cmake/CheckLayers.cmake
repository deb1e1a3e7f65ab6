# The layers of the code, checked from outside the compiler:
#   cmake -DSOURCE_DIR=<repo>/src -DLINK_GRAPH=<build>/keymill_link_graph.txt -P CheckLayers.cmake
# A folder of src/ may include the headers of the folders below it only, never of one beside it
# or above it, and a library may link only libraries of the folders below it (so the links form
# no cycle). Each failure is printed; the script fails when there is any.

cmake_minimum_required(VERSION 3.25)

# folder=the folders below it. settings (over files and generator, whose parsers read the
# stored rules) and results lie side by side over files, as do cli and
# app over both; keymill-cli needs no widget, so results is not below it. slips (QtGui only)
# lies over layout, under results and cli alike; handout (pairing, formats, hashes) lies over
# files and generator, below both front ends.
set(kBelow files= generator= layout= settings=files,generator slips=layout,files results=files,slips
    about=layout handout=files,generator cli=files,generator,settings,layout,slips,handout
    app=files,generator,layout,settings,slips,results,about,handout)
set(kLibraries keymill_files=files keymill_generator=generator keymill_layout=layout
    keymill_settings=settings keymill_slips=slips keymill_results=results keymill_about=about
    keymill_help=about keymill_handout=handout keymill_cli=cli keymill_app=app)

foreach(pair IN LISTS kBelow)
    string(REGEX REPLACE "=.*" "" folder "${pair}")
    string(REGEX REPLACE "^[^=]*=" "" below "${pair}")
    string(REPLACE "," ";" below "${below}")
    set(below_${folder} ${below})
    list(APPEND folders ${folder})
endforeach()
foreach(pair IN LISTS kLibraries)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 library)
    list(GET pair 1 folder)
    set(folder_of_${library} ${folder})
endforeach()

# Which folder holds each header.
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE headers RELATIVE ${SOURCE_DIR}/${folder} ${SOURCE_DIR}/${folder}/*.h)
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        set(owner_${name} ${folder})
    endforeach()
endforeach()

set(failures "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included
                                 "${line}")
            get_filename_component(name ${included} NAME)
            set(owner ${owner_${name}})
            if(owner AND NOT owner STREQUAL folder AND NOT owner IN_LIST below_${folder})
                file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
                string(APPEND failures
                       "src/${shown} includes ${name} of src/${owner}, not a folder below it\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(NOT EXISTS "${LINK_GRAPH}")
    string(APPEND failures "the link graph ${LINK_GRAPH} is missing\n")
else()
    file(STRINGS ${LINK_GRAPH} edges)
    foreach(edge IN LISTS edges)
        string(REGEX REPLACE "=.*" "" library "${edge}")
        string(REGEX REPLACE "^[^=]*=" "" linked "${edge}")
        set(from ${folder_of_${library}})
        foreach(other IN LISTS linked)
            set(to ${folder_of_${other}})
            if(from AND to AND NOT to STREQUAL from AND NOT to IN_LIST below_${from})
                string(APPEND failures "${library} links ${other}, not a library below it\n")
            endif()
        endforeach()
    endforeach()
endif()

if(failures)
    message(FATAL_ERROR "Layers crossed:\n${failures}")
endif()
message(STATUS "Includes and links follow the layers")
