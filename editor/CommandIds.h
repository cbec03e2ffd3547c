#pragma once

namespace editor {

// The fixed command numbers that menus, the toolbar, the grid's popup menu and
// the handlers share.
enum CommandId : int
{
    kCmdAboutBox = 16, // the About item of the system menu (Windows only)
    kCmdClose = 32772,
    kCmdExit = 32773,
    kCmdDownload = 32775,
    kCmdAbout = 32776,
    kCmdToolbarOpen = 32777,
    kCmdToolbarSave = 32778,
    kCmdToolbarDownload = 32779,
    kCmdAssignHost = 32780,
    kCmdFireOneDatabase = 32781,
    kCmdCorvaneDatabase = 32782,
    kCmdHostSettings = 32783,
    kCmdSave = 32784,
    kCmdPopupAssignedHost = 32785,
    kCmdPopupSave = 32786,
    kCmdCheckShow = 32787,
    kCmdHostPlan = 32788,
    kCmdLoadAllHosts = 32789,
    kCmdUndo = 32790,
    kCmdRedo = 32791,
    kCmdAssignByRange = 32792,
    kCmdFilter = 32793,
    kCmdPrintLoadSheets = 32794,
    kCmdTimeline = 32795,
    kCmdRehearsal = 32796,    // checkable: the window's rehearsal on or off
    kCmdVirtualHosts = 32797, // the rehearsal's virtual hosts
};

} // namespace editor
