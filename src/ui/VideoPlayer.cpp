#include "ui/VideoPlayer.h"

bool NullVideoPlayer::Open(const std::string& path, QWidget*, VideoError&)
{
    m_opened.push_back(path);
    return true;
}
