#pragma once
// kestrel-peer's options for the online service and for issuing credentials:
//   --online PORT [--online-factories N] [--online-room NAME]... [--online-fault KIND[:COUNT]]...
//   [--online-session-lifetime S] [--keys DIR]
//   --issue-credentials NAME --out FILE [--valid-days N] [--keys DIR]
#include "peer/online/OnlineServiceConfig.h"

#include <QCommandLineParser>

#include <optional>
#include <string>

struct CredentialsIssue
{
    std::string name;
    std::string out;
    int validDays = 30;
    std::string keyFolder;
};

void AddOnlineOptions(QCommandLineParser& parser);
// False with the reason in error for a bad value.
bool ReadOnlineOptions(const QCommandLineParser& parser, std::optional<OnlineServiceConfig>& online,
                       std::optional<CredentialsIssue>& issue, std::string& error);
// Writes the credentials file of an issue request; false with the reason in error.
bool IssueCredentialsFile(const CredentialsIssue& issue, std::string& error);
