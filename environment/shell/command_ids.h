#pragma once
// The command ids of the main window's menus, keys and toolbar. They name each command once, for
// the frame that routes it and for the tests that press it.

namespace qel {

enum CommandId : int {
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdFilePrintSetup = 57606,
    kCmdFilePrint = 57607,
    kCmdFilePrintPreview = 57609,
    kCmdFileRecent1 = 57616, // to 57625
    kCmdAppExit = 57665,
    kCmdAppAbout = 57664,
    kCmdHelpTopics = 57667,
    kCmdHelp = 57670,

    kCmdEditInsertAfter = 32789,
    kCmdEditAppend = 32795,
    kCmdEditDelete = 32773,
    kCmdEditLine = 32777,
    kCmdEditCut = 57635,
    kCmdEditCopy = 57634,
    kCmdEditPaste = 57637,
    kCmdEditCopyAllCode = 32874,
    kCmdCopyAsText = 32879,
    kCmdEditFind = 32861,
    kCmdEditFindNext = 32862,
    kCmdEditFunctionsList = 32856,

    kCmdViewInitialise = 32776,
    kCmdViewPaint = 32775,
    kCmdViewTimer = 32778,
    kCmdViewKeyboard = 32779,
    kCmdViewMouse = 32780,
    kCmdViewToolbar = 59392,
    kCmdViewStatusBar = 59393,
    kCmdViewHitCounts = 32877,

    kCmdRun = 32771,
    kCmdProfiledRun = 32855,
    kCmdRecordRun = 32878,
    kCmdStop = 32800,
    kCmdContinue = 32811,
    kCmdSingleStep = 32853,
    kCmdToggleBreakPoint = 32854,
    kCmdObjectViewer = 32802,
    kCmdCheckProgram = 32880,

    kCmdLessonProfile = 32881,
    kCmdClearLessonProfile = 32882,

    kCmdFormDesign = 32875,
    kCmdFormPreView = 32876,

    // The forms designer's own commands.
    kCmdFormSnap = 32888,
    kCmdFormAddStatic = 32889,
    kCmdFormAddEdit = 32890,
    kCmdFormPainter = 32891,
    kCmdFormAddCheckBox = 32892,
    kCmdFormAddLine = 32893,
    kCmdFormForeground = 32894,
    kCmdFormBackground = 32895,
    kCmdFormBorder = 32896,
    kCmdFormAddPicture = 32897,
    kCmdFormAddComboBox = 32898,
    kCmdFormAddButton = 32899,
    kCmdFormAddRectangle = 32900,
    kCmdFormTabOrder = 32901,
    kCmdFormShow = 32902,
    kCmdEditUndo = 57643,
    kCmdEditRedo = 57644,
    kCmdEditSelectAll = 57642,
    kCmdFormAlignLeft = 32903,
    kCmdFormAlignTop = 32904,
    kCmdFormSameSize = 32905,
    kCmdFormProperties = 32906,

    kCmdWindowCascade = 57650,
    kCmdWindowTile = 57651,
};

} // namespace qel
