#pragma once
// In-process peers on 127.0.0.1 and kestrel-query run in-process against them.
#include "peer/PeerNetwork.h"
#include "query/QueryRunner.h"
#include "support/TempTree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

class QueryPeers : public ::testing::Test
{
protected:
    void StartPeers(QStringList arguments)
    {
        PeerOptions options;
        std::string error;
        arguments.prepend("kestrel-peer");
        ASSERT_TRUE(ParsePeerOptions(arguments, options, error)) << error;
        ASSERT_TRUE(network.Start(options, error)) << error;
    }
    GameServerConfig& Config(size_t i) { return network.GameServers()[i]->State().Config(); }
    int Port(size_t i) { return network.GameServers()[i]->Port(); }
    QString ServerAt(size_t i) { return "127.0.0.1:" + QString::number(Port(i)); }
    QString MasterAddress() { return "127.0.0.1:" + QString::number(network.Master()->Port()); }
    // A list file of the given lines in the test's folder; its path.
    QString ListFile(const QStringList& lines, const QString& name = "servers.txt")
    {
        tree.Write(name, lines.join('\n').toUtf8());
        return tree.Abs(name);
    }
    int Run(QStringList arguments)
    {
        out.clear();
        err.clear();
        arguments.prepend("kestrel-query");
        return RunKestrelQuery(arguments, out, err, false);
    }
    QJsonArray Json() const
    {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out;
        return doc.array();
    }
    // The ports of the servers printed as JSON, in order.
    std::vector<int> JsonPorts() const
    {
        std::vector<int> ports;
        for (const QJsonValue& v : Json())
            ports.push_back(v.toObject()["port"].toInt());
        return ports;
    }

    PeerNetwork network;
    TempTree tree;
    std::string out, err;
};
