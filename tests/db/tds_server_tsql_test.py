#!/usr/bin/env python3
"""Checks the TDS test server (tests/fixtures/tds_server.py) with FreeTDS's own client, tsql."""

import os
import socket
import subprocess
import sys
import tempfile
import unittest

TSQL = os.environ.get("QEL_TSQL", "tsql")
SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fixtures", "tds_server.py")
MANIFEST_QUERY = (" select modulename,filename,ver,sort from b_update where (industry=0 or industry=3)"
                  " order by filename ")
COLUMNS = ["modulename", "filename", "ver", "sort:int", "industry:int"]
NULL = None


class Server:
    """The server on a manifest of `rows`, for one `with` block."""

    def __init__(self, rows, columns=COLUMNS):
        self.manifest = tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".tsv", delete=False)
        lines = ["\t".join(columns)] + ["\t".join("\\N" if v is None else str(v) for v in row) for row in rows]
        self.manifest.write("\n".join(lines) + "\n")
        self.manifest.close()

    def __enter__(self):
        control = socket.socket()
        control.bind(("127.0.0.1", 0))
        control.listen(1)
        control.settimeout(20)
        self.process = subprocess.Popen([sys.executable, SERVER, "--manifest", self.manifest.name,
                                         "--control", str(control.getsockname()[1])])
        self.control, _ = control.accept()
        control.close()
        self.port = int(self.control.makefile().readline().split()[1])
        return self

    def __exit__(self, *_):
        self.control.close()
        self.process.wait(10)
        os.unlink(self.manifest.name)

    def tsql(self, batch, password="tupal", database="wvt"):
        """Runs one batch; returns (exit code, result rows as lists of texts, everything tsql wrote)."""
        run = subprocess.run([TSQL, "-H", "127.0.0.1", "-p", str(self.port), "-U", "sa", "-P", password,
                              "-D", database, "-o", "q"],
                             input=batch + "\ngo\n", capture_output=True, text=True, encoding="utf-8", timeout=60)
        lines = run.stdout.split("\n")
        rows = [line.split("\t") for line in lines if line and not line.startswith("(")]
        return run.returncode, rows, run.stdout + run.stderr


class TdsServerAnswersTsql(unittest.TestCase):
    def test_manifest_query_is_filtered_and_ordered_with_nulls_and_chinese_text_intact(self):
        rows = [
            ["Mod C", "c.dll", "1.0.0.1", 0, 0],
            ["主程序", " 报表 模板.xls ", "1.0.0.5", 0, 3],
            ["skip", "b.dll", "1.0.0.0", 0, 1],
            ["skip null", "ab.dll", "1.0.0.0", 0, NULL],
            [NULL, "B.dll", NULL, NULL, 0],
            ["Mod A", "a.dll", "2024-05-06 07:08:09", 2, 3],
        ]
        with Server(rows) as server:
            code, result, output = server.tsql(MANIFEST_QUERY)
        self.assertEqual(code, 0, output)
        self.assertEqual(result, [
            ["modulename", "filename", "ver", "sort"],
            ["主程序", " 报表 模板.xls ", "1.0.0.5", "0"],  # a leading blank sorts first
            ["Mod A", "a.dll", "2024-05-06 07:08:09", "2"],
            ["NULL", "B.dll", "NULL", "NULL"],
            ["Mod C", "c.dll", "1.0.0.1", "0"],
        ], output)

    def test_login_is_checked(self):
        cases = [("tupal2", "wvt", "Login failed for user 'sa'."),
                 ("tupal", "master2", 'Cannot open database "master2" requested by the login.')]
        with Server([]) as server:
            for password, database, message in cases:
                code, _, output = server.tsql("select filename from b_update", password, database)
                self.assertNotEqual(code, 0, output)
                self.assertIn(message, output)

    def test_missing_column_and_table_are_errors(self):
        cases = [(COLUMNS[:4], MANIFEST_QUERY, "Msg 207", "Invalid column name 'industry'."),
                 (COLUMNS, "select nothing, filename from b_update", "Msg 207", "Invalid column name 'nothing'."),
                 (COLUMNS, "select filename from b_other", "Msg 208", "Invalid object name 'b_other'."),
                 (COLUMNS, "delete from b_update", "Msg 102", "Incorrect syntax near 'delete'.")]
        for columns, query, number, message in cases:
            with Server([], columns) as server:
                _, rows, output = server.tsql(query)
            self.assertIn(number, output)
            self.assertIn(message, output)
            self.assertEqual(rows, [], output)


if __name__ == "__main__":
    unittest.main()
