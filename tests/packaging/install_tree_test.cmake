# Installs the build below a scratch root (DESTDIR=ROOT, prefix /opt/mouse-driver), checks the
# laid-out tree and runs the installed mouse-driver-cli from it: the keyboard of the virtual
# devices is recognised only through DefaultData/devices.json, so the tool must find its data
# from its own prefix (the build folder is not asked).
# Arguments: BUILD (build folder), ROOT (scratch root), UDEV_RULES_DIR, WITH_GUI.
set(prefix /opt/mouse-driver)
set(tree ${ROOT}${prefix})
file(REMOVE_RECURSE ${ROOT})

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}): ${err}")
endif()

set(expected bin/mouse-driver-cli lib/mouse-driver/SDK/libDrvInDll.so
    lib/mouse-driver/SDK/libCommFunc.so share/mouse-driver/DefaultData/devices.json
    share/mouse-driver/skin/res.xml share/mouse-driver/Font share/man/man1/mouse-driver-cli.1.gz
    share/bash-completion/completions/mouse-driver-cli
    share/zsh/vendor-completions/_mouse-driver-cli
    share/fish/vendor_completions.d/mouse-driver-cli.fish
    share/doc/mouse-driver/copyright share/doc/mouse-driver/changelog.gz)
if(WITH_GUI)
    list(APPEND expected bin/mouse-driver share/man/man1/mouse-driver.1.gz
         share/applications/org.mousedriver.MouseDriver.desktop
         share/metainfo/org.mousedriver.MouseDriver.metainfo.xml
         share/icons/hicolor/scalable/apps/mouse-driver.svg
         share/icons/hicolor/16x16/apps/mouse-driver.png
         share/icons/hicolor/256x256/apps/mouse-driver.png)
endif()
foreach(f IN LISTS expected)
    if(NOT EXISTS ${tree}/${f})
        message(FATAL_ERROR "not installed: ${prefix}/${f}")
    endif()
endforeach()
# The menu entry is named after the D-Bus name only; mouse-driver.desktop is the autostart entry's.
if(EXISTS ${tree}/share/applications/mouse-driver.desktop)
    message(FATAL_ERROR "an application entry mouse-driver.desktop is installed as well")
endif()

# The udev rule lies where udev reads it: an absolute folder outside the prefix, or the
# prefix's lib/udev/rules.d only in builds for the system's own prefix.
if(UDEV_RULES_DIR)
    if(IS_ABSOLUTE ${UDEV_RULES_DIR})
        set(rule ${ROOT}${UDEV_RULES_DIR}/70-mouse-driver.rules)
        if(EXISTS ${tree}/lib/udev)
            message(FATAL_ERROR "a udev rule below ${prefix}/lib/udev would never be read")
        endif()
    else()
        set(rule ${tree}/${UDEV_RULES_DIR}/70-mouse-driver.rules)
    endif()
    if(NOT EXISTS ${rule})
        message(FATAL_ERROR "udev rule not installed at ${rule}")
    endif()
endif()

set(home ${ROOT}/home)
file(MAKE_DIRECTORY ${home})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_CONFIG_HOME=${home}/config
            XDG_DATA_HOME=${home}/data XDG_RUNTIME_DIR=${home} DBUS_SESSION_BUS_ADDRESS=
            ${tree}/bin/mouse-driver-cli --simulate keyboard info --device keyboard
    WORKING_DIRECTORY ${home}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "device: keyboard \\(248a:5b60")
    message(FATAL_ERROR "the installed tool did not find its data (${rc}):\n${out}${err}")
endif()
file(REMOVE_RECURSE ${ROOT})
