# Delay-loaded system libraries for the Windows build. The shell, OLE and common-dialog libraries
# serve only the dialogs and the shell's open, yet importing them loads them (and the libraries
# they pull in) at every start; a delay-import library makes the first call load its DLL instead.
# Each library's functions are listed in platform/delay_imports/<name>.def: a function missing
# there is still found in the ordinary import library linked after it, and merely loads its DLL at
# start again.
find_program(BARLOOM_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool dlltool REQUIRED)

function(barloom_add_delay_imports target)
  foreach(name IN LISTS ARGN)
    set(definition ${PROJECT_SOURCE_DIR}/platform/delay_imports/${name}.def)
    set(library ${CMAKE_BINARY_DIR}/delay_imports/lib${name}_delay.a)
    add_custom_command(OUTPUT ${library}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay_imports
      COMMAND ${BARLOOM_DLLTOOL} --input-def ${definition} --dllname ${name}.dll --output-delaylib ${library}
      DEPENDS ${definition} VERBATIM)
    add_custom_target(barloom_delay_${name} DEPENDS ${library})
    add_dependencies(${target} barloom_delay_${name})
    # Before the ordinary import library, so that the linker takes the listed functions from it.
    target_link_libraries(${target} PUBLIC ${library} ${name})
  endforeach()
endfunction()
