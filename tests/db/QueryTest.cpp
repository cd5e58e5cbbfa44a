// The query component against the TDS test server, through the real ODBC path: Wine's odbc32,
// the host's unixODBC and FreeTDS registered as "SQL Server".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "db/DatabaseError.h"
#include "db/Query.h"
#include "db/TdsServer.h"

namespace qel::db {
namespace {

using test::LauncherConnectionString;
using test::Manifest;
using test::TdsServer;
using Clock = std::chrono::steady_clock;

const char kManifestQuery[] =
    " select modulename,filename,ver,sort from b_update where (industry=0 or industry=3) order by filename ";

void PrepareManifestQuery(Query& q, const std::string& dataSource, const std::string& password = "tupal") {
    q.ConnectionString = LauncherConnectionString(dataSource, password);
    q.SQL.Clear();
    q.SQL.Add(kManifestQuery);
}

// The current row as "modulename|filename|ver|sort", as the update pass reads it.
std::string CurrentRow(const Query& q) {
    return q.FieldByName("modulename").AsString() + "|" + q.FieldByName("filename").AsString() + "|" +
           q.FieldByName("ver").AsString() + "|" + std::to_string(q.FieldByName("sort").AsInteger());
}

std::vector<std::string> ReadAllRows(Query& q) {
    std::vector<std::string> rows;
    for (int n = q.RecordCount(); n > 0; --n) {
        rows.push_back(CurrentRow(q));
        q.Next();
    }
    return rows;
}

std::vector<std::string> OpenAndReadAll(const TdsServer& server) {
    Query q;
    PrepareManifestQuery(q, server.DataSource());
    q.Open();
    return ReadAllRows(q);
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Opens the query and returns the error text it fails with, and how long that took.
std::pair<std::string, double> OpenFailure(Query& q) {
    const auto start = Clock::now();
    try {
        q.Open();
    } catch (const DatabaseError& e) {
        const double seconds = SecondsSince(start);
        std::printf("failed after %.1f s with:\n%s\n", seconds, e.what());
        EXPECT_FALSE(q.Active());
        return {e.what(), seconds};
    }
    ADD_FAILURE() << "the query opened";
    return {"", SecondsSince(start)};
}

TEST(ManifestQuery, ReadsTheSelectedRowsInTheServersOrder) {
    Manifest manifest;
    manifest.rows = {
        {"Mod C", "c.dll", "1.0.0.1", "0", "0"},
        {"Mod A", "a.dll", "2024-05-06 07:08:09", "2", "3"},
        {"skip 1", "b.dll", "1.0.0.0", "0", "1"},
        {"skip 2", "aa.dll", "1.0.0.0", "0", "2"},
        {"skip null", "ab.dll", "1.0.0.0", "0", std::nullopt},
        {"Mod D", "d.dll", std::nullopt, std::nullopt, "3"},
        {std::nullopt, "B.dll", "x", "7", "0"},
    };
    TdsServer server(manifest);
    Query q;
    PrepareManifestQuery(q, server.DataSource());
    q.Open();

    EXPECT_EQ(q.RecordCount(), 4);  // before the first row is read
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(ReadAllRows(q), (std::vector<std::string>{
                                  "Mod A|a.dll|2024-05-06 07:08:09|2",
                                  "|B.dll|x|7",
                                  "Mod C|c.dll|1.0.0.1|0",
                                  "Mod D|d.dll||0",  // NULL ver reads as "", NULL sort as 0
                              }));
    EXPECT_TRUE(q.Eof());
    EXPECT_THROW(q.FieldByName("industry"), DatabaseError);  // not among the selected columns

    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_THROW(q.RecordCount(), DatabaseError);
}

TEST(ManifestQuery, KeepsChineseTextAndBlanksIntact) {
    Manifest manifest;
    manifest.rows = {
        {"主程序", " 报表 模板.xls ", "1.0.0.5", "0", "0"},
        {"数据库 组件", "子目录\\文件 名.dll", "2024-01-02 03:04", "2", "3"},
        {"扩展汉字𠀀", "  ", "", "1", "0"},
    };
    std::string longName;  // read in several parts, a surrogate pair among them
    for (int i = 0; i < 700; ++i) longName += "模块𠀀x";
    manifest.rows.push_back({longName, "zz.dll", "1.0.0.0", "0", "3"});
    TdsServer server(manifest);
    EXPECT_EQ(OpenAndReadAll(server), (std::vector<std::string>{
                                          "扩展汉字𠀀|  ||1",
                                          "主程序| 报表 模板.xls |1.0.0.5|0",
                                          longName + "|zz.dll|1.0.0.0|0",
                                          "数据库 组件|子目录\\文件 名.dll|2024-01-02 03:04|2",
                                      }));
}

TEST(ManifestQuery, ReadsTenThousandRows) {
    constexpr int kRows = 10000;
    Manifest manifest;
    for (int i = kRows - 1; i >= 0; --i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%05d.dll", i);
        manifest.rows.push_back({"模块" + std::to_string(i), name, "1.0.0." + std::to_string(i),
                                 std::to_string(i % 3), i % 2 ? "3" : "0"});
    }
    TdsServer server(manifest);
    Query q;
    PrepareManifestQuery(q, server.DataSource());

    const auto start = Clock::now();
    q.Open();
    const double opened = SecondsSince(start);
    std::vector<std::string> rows = ReadAllRows(q);
    const double read = SecondsSince(start);
    q.Close();
    RecordProperty("open_seconds", std::to_string(opened));
    RecordProperty("open_and_read_seconds", std::to_string(read));
    std::printf("10000 rows: opened in %.3f s, opened and read in %.3f s\n", opened, read);

    ASSERT_EQ(rows.size(), static_cast<size_t>(kRows));
    for (int i = 0; i < kRows; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%05d.dll", i);
        ASSERT_EQ(rows[static_cast<size_t>(i)], "模块" + std::to_string(i) + "|" + name + "|1.0.0." +
                                                    std::to_string(i) + "|" + std::to_string(i % 3));
    }
}

TEST(ManifestQueryFailure, WrongPasswordCarriesTheLoginError) {
    TdsServer server(Manifest{});
    Query q;
    PrepareManifestQuery(q, server.DataSource(), "tupal2");
    EXPECT_THAT(OpenFailure(q).first, ::testing::HasSubstr("Login failed for user 'sa'."));
}

TEST(ManifestQueryFailure, MissingColumnCarriesTheServersError) {
    Manifest manifest;
    manifest.columns = {"modulename", "filename", "ver", "sort:int"};  // no industry
    manifest.rows = {{"a", "a.dll", "1.0.0.0", "0"}};
    TdsServer server(manifest);
    Query q;
    PrepareManifestQuery(q, server.DataSource());
    EXPECT_THAT(OpenFailure(q).first, ::testing::HasSubstr("Invalid column name 'industry'."));
}

TEST(ManifestQueryFailure, UnreachableServerFailsWithinTheLoginTimeLimit) {
    Query q;
    PrepareManifestQuery(q, "127.0.0.1," + std::to_string(test::ClosedLoopbackPort()));
    auto [text, seconds] = OpenFailure(q);
    EXPECT_THAT(text, ::testing::HasSubstr("connect"));
    EXPECT_LT(seconds, 15.0);
}

// A server that stops answering: the wait ends at the time limit with the driver's error.
void ExpectWaitEndsAt(TdsServer::Mode mode, double limitSeconds) {
    TdsServer server(Manifest{}, mode);
    Query q;
    PrepareManifestQuery(q, server.DataSource());
    auto [text, seconds] = OpenFailure(q);
    EXPECT_THAT(text, ::testing::HasSubstr("Timeout expired"));
    EXPECT_GE(seconds, limitSeconds - 1);
    EXPECT_LT(seconds, limitSeconds + 10);
}

TEST(ManifestQueryFailure, SilentServerFailsAtTheLoginTimeLimit) { ExpectWaitEndsAt(TdsServer::Mode::Silent, 15); }

TEST(ManifestQueryFailure, UnansweredQueryFailsAtTheQueryTimeLimit) { ExpectWaitEndsAt(TdsServer::Mode::Stall, 30); }

}  // namespace
}  // namespace qel::db
