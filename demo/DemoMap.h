#pragma once
// One map of the demo world: its file name, the title its worldspawn carries, and
// the spawn points and items its entity text lists.
#include <QString>
#include <QVector3D>

#include <vector>

struct DemoMapEntity
{
    QString className;
    QVector3D origin;
    int angle = 0;
};

struct DemoMap
{
    QString name;          // base file name: maps/<name>.bsp
    QString title;         // the worldspawn "message"
    QString sky;           // the worldspawn "skyname"
    bool multiplayer = true;
    std::vector<DemoMapEntity> entities; // besides the worldspawn

    // The five maps of the demo: four for multiplayer, one single-player map.
    static std::vector<DemoMap> Catalogue();
};
