"""The HTML page of the example opened in a real headless browser: the
page's own script reports five boxes and every image loaded, the texts of
the file stand in the page, and a screenshot stays in the build tree.
Exits 77 (skipped) when chromium is missing or cannot start here.

Usage: html_browser_test.py TESTDATA WORK SCREENSHOT ZETPLAY...
"""
import os
import re
import shutil
import subprocess
import sys

SKIP = 77
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--virtual-time-budget=5000"]
# What the example holds: every message, suffix, caption, the comment and user name.
TEXTS = ["Zetrova 開発キットの見本", "見本 太郎", "処理を続けます。", "（お知らせ）",
         "ファイルを保存しました。", "（情報）", "  空き容量が少なくなっています。  ", "（注意）",
         "表示できません。ソフトを終了します。", "（エラー）", "変更を保存しますか？", "（確認）",
         "了解", "やめる", "中止", "もう一度", "無視", "はい", "いいえ", "閉じる", "続ける", "ヘルプ"]


def chromium(work, *args):
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        print("SKIP: chromium is not installed (Debian package chromium, scripts/bootstrap.sh)")
        sys.exit(SKIP)
    profile = os.path.join(work, "profile")
    shutil.rmtree(profile, ignore_errors=True)
    done = subprocess.run([browser, *FLAGS, f"--user-data-dir={profile}", *args],
                          capture_output=True, timeout=120)
    return done.returncode, done.stdout.decode("utf-8", errors="replace"), done.stderr.decode(
        errors="replace")


def main():
    testdata, work, screenshot = sys.argv[1:4]
    zetplay = sys.argv[4:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(os.path.join(testdata, "demo.ztr"), work)
    subprocess.run(zetplay + ["--html", "page.html", "demo.ztr"], cwd=work, check=True,
                   capture_output=True)
    url = "file://" + os.path.abspath(os.path.join(work, "page.html"))
    status, dom, err = chromium(work, "--dump-dom", url)
    if status != 0 or "<body" not in dom:
        print(f"SKIP: chromium cannot run here (status {status}):\n{err[-2000:]}")
        return SKIP
    failures = []
    result = re.search(r'<body[^>]*data-result="([^"]*)"', dom)
    if not result or result.group(1) != "boxes=5 images=5/5":
        failures.append(f"page reports {result.group(1) if result else 'nothing'}, "
                        "not boxes=5 images=5/5")
    kinds = re.findall(r'class="box" data-kind="(\w+)"', dom)
    if kinds != ["NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"]:
        failures.append(f"boxes {kinds}")
    for text in TEXTS:
        if text not in dom:
            failures.append(f"the page lacks {text!r}")
    os.makedirs(os.path.dirname(os.path.abspath(screenshot)), exist_ok=True)
    status, _, err = chromium(work, f"--screenshot={os.path.abspath(screenshot)}",
                              "--window-size=1560,290", "--hide-scrollbars", url)
    if status != 0 or not os.path.exists(screenshot):
        failures.append(f"no screenshot (status {status}): {err[-500:]}")
    for failure in failures:
        print("FAIL", failure)
    print(f"screenshot: {screenshot}\n{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
