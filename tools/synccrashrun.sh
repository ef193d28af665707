#!/usr/bin/env bash
# The crash test of the sync: `telefika --sync` of a 1,000-contact group with a
# Radicale of its own, killed with SIGKILL at random moments, 200 times by
# default. Between runs the group changes here (a number or a surname edited
# in the group's file while no copy runs, a contact deleted from it, one added
# by `telefika --import`) and on the server (a card's name edited, a card
# deleted, a new card put, over HTTP as a phone would). Then a clean sync, and
# the check: the group's file and the server's cards hold the same contacts,
# no number twice on either side, and every change made on either side is
# there (none lost, none undone).
#
# Changes here touch contacts whose number ends in an even digit, changes on
# the server those whose number ends in an odd one, and a contact changed is
# left alone until a sync has gone through: so no change can meet another of
# the other side, and a conflict or a difference can only come from a kill.
#
#   bash tools/synccrashrun.sh [build folder] [kills] [seed] [imported]
#
# The group is the data generator's file as it is; with "imported" it is
# taken in through `telefika --import` of its own export, so its names are
# stored as a save stores them (any I first made the small dotted i).
#
# Needs the program and the data generator built (cmake --build build --target
# telefika telefika-datagen) and Debian's radicale.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
[ -x "$build/telefika" ] && [ -x "$build/telefika-datagen" ] ||
  { echo "build telefika and telefika-datagen in $build first" >&2; exit 2; }
command -v radicale >/dev/null || { echo "radicale is missing (Debian package radicale)" >&2; exit 2; }
exec python3 - "$build" "${2:-200}" "${3:-$RANDOM}" "${4:-}" <<'PYTHON'
import base64, http.client, os, random, re, shutil, signal, socket, subprocess, sys, tempfile, time
import urllib.parse, xml.etree.ElementTree as ET

build, kills_wanted, seed, imported = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] == "imported"
rng = random.Random(seed)
work = tempfile.mkdtemp(prefix="synccrash-")
home = os.path.join(work, "home")
data = os.path.join(home, "Telefika")
os.makedirs(data)
USER, PASSWORD, GROUP, DEFAULT = "ayse", "gizli-şifre-1", "Aile", "@Kayıtlar@"
CONTACTS = 1000

def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]

port = free_port()
with open(os.path.join(work, "users"), "w") as f:
    f.write(f"{USER}:{PASSWORD}\n")
with open(os.path.join(work, "config"), "w") as f:
    f.write(f"[server]\nhosts = 127.0.0.1:{port}\n[auth]\ntype = htpasswd\nhtpasswd_filename = {work}/users\n"
            f"htpasswd_encryption = plain\ndelay = 0\n[storage]\nfilesystem_folder = {work}/collections\n"
            "[web]\ntype = none\n[logging]\nlevel = warning\n")
server = subprocess.Popen(["radicale", "-C", os.path.join(work, "config")], stdout=subprocess.DEVNULL,
                          stderr=open(os.path.join(work, "radicale.log"), "w"))
AUTH = "Basic " + base64.b64encode(f"{USER}:{PASSWORD}".encode()).decode()

def request(method, path, body=b"", headers=None):
    """One request as the user: (status, body, headers)."""
    for attempt in range(50):
        try:
            c = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
            c.request(method, path, body, {"Authorization": AUTH, **(headers or {})})
            r = c.getresponse()
            out = (r.status, r.read(), {k.lower(): v for k, v in r.getheaders()})
            c.close()
            return out
        except (ConnectionError, OSError):
            time.sleep(0.1)
    raise SystemExit("radicale does not answer")

def finish(code):
    server.kill()
    server.wait()
    if code == 0:
        shutil.rmtree(work, ignore_errors=True)
    else:
        print(f"left for a look: {work}")
    sys.exit(code)

# --- the group's file: three lines a contact, code page 1254, CR LF ---------

def group_path(name=GROUP):
    return os.path.join(data, name + ".vexo")

def read_group():
    with open(group_path(), "rb") as f:
        lines = f.read().decode("cp1254").split("\r\n")
    lines = lines[:len(lines) - len(lines) % 3]
    return [tuple(lines[i:i + 3]) for i in range(0, len(lines), 3)]

def write_group(contacts):
    with open(group_path(), "wb") as f:
        f.write("".join(f"{a}\r\n{b}\r\n{c}\r\n" for a, b, c in contacts).encode("cp1254"))

def write_list(names):
    with open(os.path.join(data, "Ayarlar.cnt"), "wb") as f:
        f.write("".join(n + "\r\n" for n in names).encode("cp1254"))

env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
env.update(HOME=home, DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(work, "no-bus"))

def telefika(*arguments, password=True):
    return subprocess.run([os.path.join(build, "telefika"), *arguments], env=env, capture_output=True,
                          input=(PASSWORD + "\n").encode() if password else b"")

write_list([DEFAULT, DEFAULT, GROUP])
open(group_path(DEFAULT), "wb").close()
subprocess.run([os.path.join(build, "telefika-datagen"), group_path(), str(CONTACTS), str(seed)], check=True)
if imported:
    exported = os.path.join(work, "export.vcf")
    assert telefika("--export", GROUP, exported, password=False).returncode == 0
    open(group_path(), "wb").close()
    assert telefika("--import", exported, "--group", GROUP, password=False).returncode == 0
for _ in range(100):
    if request("OPTIONS", "/")[0]:
        break

setup = telefika("--sync-setup", GROUP, f"http://127.0.0.1:{port}/{USER}/", "--user", USER, "--password-stdin")
if setup.returncode != 0:
    print(setup.stdout.decode(), setup.stderr.decode())
    finish(1)
book_path = urllib.parse.urlparse(re.search(r"(http://\S+)", setup.stdout.decode()).group(1)).path
print(setup.stdout.decode().strip())

# --- the server's cards ----------------------------------------------------

DAV = "{DAV:}"
def listing():
    """href -> etag of every card of the book, by PROPFIND."""
    status, body, _ = request("PROPFIND", book_path, b'<?xml version="1.0"?><propfind xmlns="DAV:"><prop><getetag/>'
                              b'</prop></propfind>', {"Depth": "1", "Content-Type": "application/xml"})
    assert status == 207, status
    cards = {}
    for response in ET.fromstring(body).iter(DAV + "response"):
        href = urllib.parse.unquote(response.find(DAV + "href").text)
        etag = response.find(f".//{DAV}getetag")
        if href.rstrip("/") != book_path.rstrip("/") and etag is not None and etag.text:
            cards[href] = etag.text
    return cards

def unescape(text):
    return re.sub(r"\\(.)", lambda m: "\n" if m.group(1) in "nN" else m.group(1), text)

def split_unescaped(text, sep):
    return [unescape(p) for p in re.split(r"(?<!\\)" + re.escape(sep), text)]

def parse_card(raw):
    """(name, surname, number, uid) of a card, as the group would hold it."""
    text = re.sub(r"\r?\n[ \t]", "", raw.decode("utf-8"))
    name = surname = number = uid = ""
    for line in text.splitlines():
        key, _, value = line.partition(":")
        prop = key.split(";")[0].split(".")[-1].upper()
        if prop == "N":
            parts = split_unescaped(value, ";") + ["", ""]
            surname, name = parts[0], parts[1]
        elif prop == "UID":
            uid = value
        elif prop == "TEL" and not number:
            digits = re.sub(r"\D", "", value)
            number = "0" + digits[2:] if digits.startswith("90") and len(digits) == 12 else digits
    return name, surname, number, uid

seen = {}  # href -> (etag, the card parsed): a card is read again only when its etag changed
def server_cards():
    """href -> (name, surname, number, uid, etag)."""
    out = {}
    for href, etag in listing().items():
        if href not in seen or seen[href][0] != etag:
            status, body, headers = request("GET", href)
            if status != 200:
                continue
            seen[href] = (etag, parse_card(body))
        out[href] = seen[href][1] + (etag,)
    return out

# --- the model: number -> (name, surname) as it must end -------------------

model = {n: (a, b) for a, b, n in read_group()}
dirty = set()  # numbers changed since the last sync that went through
serial = 0

def fresh_number(parity):
    while True:
        n = "05" + "".join(rng.choice("0123456789") for _ in range(8)) + str(rng.choice(range(parity, 10, 2)))
        if n not in model and all(n != c[2] for c in read_group()):
            return n

def clean(parity):
    return [n for n in model if int(n[-1]) % 2 == parity and n not in dirty]

def change_here():
    global serial
    serial += 1
    contacts = read_group()
    what = rng.choice(["number", "surname", "delete", "add"])
    pool = clean(0)
    if what == "add" or not pool:
        number = fresh_number(0)
        vcf = os.path.join(work, "yeni.vcf")
        with open(vcf, "w", encoding="utf-8") as f:
            f.write(f"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Eklenen{serial};Yeni;;;\r\nFN:Yeni Eklenen{serial}\r\n"
                    f"TEL;TYPE=CELL:{number}\r\nEND:VCARD\r\n")
        run = telefika("--import", vcf, "--group", GROUP, password=False)
        assert run.returncode == 0, run.stderr.decode()
        added = [c for c in read_group() if c[2] == number]
        assert len(added) == 1
        model[number] = added[0][:2]
        dirty.add(number)
        return
    number = rng.choice(pool)
    i = next(k for k, c in enumerate(contacts) if c[2] == number)
    name, surname, _ = contacts[i]
    del model[number]
    if what == "delete":
        del contacts[i]
        dirty.add(number)
    else:
        if what == "number":
            number = fresh_number(0)
        else:
            surname = f"Yerelİş{serial}"
        contacts[i] = (name, surname, number)
        model[number] = (name, surname)
        dirty.add(number)
    write_group(contacts)

def change_there(cards, synced_once):
    global serial
    serial += 1
    by_number = {c[2]: href for href, c in cards.items()}
    pool = [n for n in clean(1) if n in by_number] if synced_once else []
    what = rng.choice(["surname", "delete", "add"])
    if what == "add" or not pool:
        number = fresh_number(1)
        uid = f"sunucu-{seed}-{serial}"
        card = (f"BEGIN:VCARD\r\nVERSION:3.0\r\nUID:{uid}\r\nN:Sunucu{serial};Gül;;;\r\nFN:Gül Sunucu{serial}\r\n"
                f"TEL;TYPE=CELL:+90{number[1:]}\r\nEMAIL:gul{serial}@example.com\r\nEND:VCARD\r\n")
        status = request("PUT", book_path.rstrip("/") + f"/{uid}.vcf", card.encode(),
                         {"If-None-Match": "*", "Content-Type": "text/vcard"})[0]
        assert status in (201, 204), status
        model[number] = ("Gül", f"Sunucu{serial}")
        dirty.add(number)
        return
    number = rng.choice(pool)
    href = by_number[number]
    dirty.add(number)
    if what == "delete":
        assert request("DELETE", href, headers={"If-Match": cards[href][4]})[0] in (200, 204)
        del model[number]
        return
    status, body, headers = request("GET", href)
    text = body.decode("utf-8")
    name = model[number][0]
    surname = f"Sunucuİş{serial}"
    text = re.sub(r"(?m)^N:[^\r\n]*", f"N:{surname};{name};;;", text)
    text = re.sub(r"(?m)^FN:[^\r\n]*", f"FN:{name} {surname}", text)
    assert request("PUT", href, text.encode(), {"If-Match": headers["etag"], "Content-Type": "text/vcard"})[0] in (200, 201, 204)
    model[number] = (name, surname)

# --- the runs --------------------------------------------------------------

kills = runs = completed = failed = conflicted = 0
longest = 10.0  # seconds a run may take; the kills fall within it
synced_once = False
started = time.time()
while kills < kills_wanted:
    for _ in range(rng.randint(0, 3)):
        change_here()
    if rng.random() < 0.7:
        cards = server_cards()
        for _ in range(rng.randint(1, 2)):
            change_there(cards, synced_once)
    # half the kills early (start, first answers), half anywhere in a run
    delay = rng.uniform(0, 0.4) if rng.random() < 0.5 else rng.uniform(0, longest)
    p = subprocess.Popen([os.path.join(build, "telefika"), "--sync", GROUP, "--password-stdin"], env=env,
                         stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    p.stdin.write((PASSWORD + "\n").encode())
    p.stdin.close()
    began = time.time()
    try:
        p.wait(timeout=delay)
    except subprocess.TimeoutExpired:
        p.send_signal(signal.SIGKILL)
        p.wait()
    runs += 1
    out, err = p.stdout.read().decode(), p.stderr.read().decode()
    if p.returncode == -signal.SIGKILL:
        kills += 1
        continue
    completed += 1
    if p.returncode == 0:
        synced_once = True
        dirty.clear()
        longest = max(1.0, (time.time() - began) * 1.5)
    elif "çakışma" in err:
        conflicted += 1
        print("conflicts after a run:", err.strip(), *[l for l in out.splitlines() if "akışma" in l][:5], sep="\n  ")
    else:
        failed += 1
        print("a run failed:", err.strip())
    if kills and kills % 20 == 0:
        print(f"{kills} kills, {runs} runs, {completed} went to their end ({time.time() - started:.0f} s)")

# --- the clean sync and the check ------------------------------------------

final = telefika("--sync", GROUP, "--password-stdin")
print("clean sync:", final.returncode, final.stderr.decode().strip(), final.stdout.decode().splitlines()[-1:])
again = telefika("--sync", GROUP, "--password-stdin")
quiet = again.returncode == 0 and len(again.stdout.decode().splitlines()) == 1
here = read_group()
there = server_cards()
numbers_here = [c[2] for c in here]
numbers_there = [c[2] for c in there.values()]
uids_there = [c[3] for c in there.values()]
duplicates = (len(numbers_here) - len(set(numbers_here)) + len(numbers_there) - len(set(numbers_there)) +
              len(uids_there) - len(set(uids_there)))
# a name stored in its i-form goes out with a capital İ: compared as a save stores it
def saved(name):
    return "i" + name[1:] if name[:1] in "IİıiI" else name
here_map = {c[2]: (saved(c[0]), c[1]) for c in here}
there_map = {c[2]: (saved(c[0]), c[1]) for c in there.values()}
model = {n: (saved(a), b) for n, (a, b) in model.items()}
lost = sorted(n for n in set(model) | set(here_map) if model.get(n) != here_map.get(n))
unequal = sorted(n for n in set(here_map) | set(there_map) if here_map.get(n) != there_map.get(n))
for n in (lost + unequal)[:10]:
    print(f"  {n}: expected {model.get(n)}, here {here_map.get(n)}, server {there_map.get(n)}")
print(f"seed {seed}: {kills} kills in {runs} runs ({completed} went to their end: {failed} failed, "
      f"{conflicted} left conflicts)")
print(f"after the clean sync: {len(here)} contacts here, {len(there)} cards on the server (PROPFIND), "
      f"{len(model)} expected; duplicates {duplicates}, lost or undone edits {len(lost)}, "
      f"differences between the sides {len(unequal)}; a second sync changed nothing: {'yes' if quiet else 'no'}")
finish(0 if final.returncode == 0 and quiet and duplicates == 0 and not lost and not unequal else 1)
PYTHON
