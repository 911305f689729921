#pragma once

// Resource and control ids, shared by the resource script and the code; plain macros because the
// resource compiler reads this file too.

#define IDR_MAIN_MENU 101
#define IDD_LOAD_IMAGE 102
#define IDD_FAVORITES 104

#define IDM_LOAD_IMAGE 40001
#define IDM_EXIT 40002
#define IDM_FAVORITES 40003

#define IDC_PATH 1001 /* the path box of "Load Image", the favourites list of "Favorites" */
#define IDC_SELECT_IMAGE 1002
#define IDC_PIECES 1005
#define IDC_CELL_SIZE 1006
#define IDC_ADD_FAVORITE 1008
#define IDC_DELETE 1010
#define IDC_RANDOM 1011
