# Before/after figures for hostile inputs: status, seconds to end, peak resident MB.
#   python3 tools/measure/refusals.py OLD_GAME OLD_DATA NEW_GAME NEW_DATA
import os, shutil, signal, struct, subprocess, sys, tempfile, time

def headers(info, w, h, bits, comp):
    b = bytearray(14 + (12 if info == 12 else 40) + 36)
    b[0:2] = b'BM'; struct.pack_into('<I', b, 2, len(b)); struct.pack_into('<I', b, 10, (14 + info) & 0xFFFFFFFF)
    struct.pack_into('<I', b, 14, info)
    if info == 12: struct.pack_into('<HHHH', b, 18, w, h, 1, bits)
    else: struct.pack_into('<IiHHI', b, 18, w, h, 1, bits, comp)
    return bytes(b)

def replace(path, how):
    if os.path.lexists(path): os.remove(path)
    how(path)

cases = {
 'level is a directory': lambda d: replace(d + '/x2.lvl', os.mkdir),
 'level is a FIFO': lambda d: replace(d + '/x2.lvl', os.mkfifo),
 'level links to /dev/zero': lambda d: replace(d + '/x2.lvl', lambda p: os.symlink('/dev/zero', p)),
 'level over 16 MiB': lambda d: [open(d + '/x2.lvl', 'ab').write(b'\n' * (1 << 20)) for _ in range(17)],
 'picture is a FIFO': lambda d: replace(d + '/gfx/tiles.bmp', os.mkfifo),
 'OS/2 16384 x 65535 x 32': lambda d: open(d + '/gfx/tiles.bmp', 'wb').write(headers(12, 16384, 65535, 32, 0)),
 'OS/2 8192 x 65535 x 32': lambda d: open(d + '/gfx/tiles.bmp', 'wb').write(headers(12, 8192, 65535, 32, 0)),
 '8192 x 8192 x 32, no rows': lambda d: open(d + '/gfx/tiles.bmp', 'wb').write(headers(40, 8192, 8192, 32, 0)),
 'compression code 4': lambda d: open(d + '/gfx/tiles.bmp', 'wb').write(headers(40, 64, 64, 24, 4)),
 'no display': None,
}

def run(binary, data, name):
    d = tempfile.mkdtemp(); shutil.rmtree(d); shutil.copytree(data, d)
    env = dict(os.environ, SDL_VIDEODRIVER='dummy')
    if cases[name] is None:
        for k in ('SDL_VIDEODRIVER', 'DISPLAY', 'WAYLAND_DISPLAY'): env.pop(k, None)
    else: cases[name](d)
    start = time.monotonic()
    p = subprocess.Popen([binary], cwd=d, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    note = ''
    deadline = start + 10
    while True:
        pid, status, ru = os.wait4(p.pid, os.WNOHANG)
        if pid: break
        if time.monotonic() > deadline:
            if not note: p.send_signal(signal.SIGTERM); note = 'still running at 10 s; SIGTERM'; deadline += 3
            else: p.kill(); note += '; SIGKILL'; deadline += 100
        time.sleep(0.02)
    took = time.monotonic() - start
    err = p.stderr.read().decode(errors='replace').strip().splitlines()
    code = os.waitstatus_to_exitcode(status)
    shutil.rmtree(d, ignore_errors=True)
    return code, took, ru.ru_maxrss / 1024, note, (err[-1] if err else '')

for name in cases:
    for label, binary, data in (('before', sys.argv[1], sys.argv[2]), ('after', sys.argv[3], sys.argv[4])):
        code, took, mb, note, line = run(binary, data, name)
        print(f'| {name} | {label} | {code} | {took:.2f} s | {mb:.0f} MB | {note} {line[:90]} |', flush=True)
