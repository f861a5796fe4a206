# amorial_target_forms(<target> <form.ui>...)
#
# Runs uic on Qt Designer forms through explicit build rules, one per form,
# instead of AUTOUIC. AUTOUIC writes ui_<form>.h from inside the target's
# autogen step without declaring it as an output, so Ninja has already decided
# what to recompile when the header changes: the files that include it are
# compiled again only by the next build. Here ui_<form>.h is the declared output
# of a rule that depends on <form>.ui, so a single build regenerates it and
# recompiles every file that includes it.
#
# The headers are written to the calling directory's binary folder, which
# becomes a private include directory of <target>: a window's Ui class is its
# own. The rules hang on a small utility target made here, which <target>
# depends on so that its objects are compiled after the headers exist.
function(amorial_target_forms target)
    get_target_property(target_binary_dir ${target} BINARY_DIR)
    foreach(form IN LISTS ARGN)
        get_filename_component(form_path ${form} ABSOLUTE)
        get_filename_component(form_name ${form} NAME_WE)
        # A copy AUTOUIC left in a build folder would come first on the include
        # path (the autogen folder is searched before all others) and never change.
        file(REMOVE ${target_binary_dir}/${target}_autogen/include/ui_${form_name}.h)
        qt_wrap_ui(header ${form_path})
        add_custom_target(${target}_ui_${form_name} DEPENDS ${header} SOURCES ${form_path})
        add_dependencies(${target} ${target}_ui_${form_name})
    endforeach()
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
