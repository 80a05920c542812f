#include <windows.h>

#include "app/kvx_gmouse_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return kvx::runApplication();
}
