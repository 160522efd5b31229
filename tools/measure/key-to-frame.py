# From a key press to the first frame on screen that shows it, as a user sees it: Xvfb at
# 800 x 600 (no GPU), the game full screen on a level whose player stands on flat ground in the
# middle of the view (the camera on it), key presses sent through XTest (Right, Left and Z in
# turn, each at a random moment of the game's 60 Hz cycle, once the picture is still) and the
# screen's pixels around the player read back until they change. Prints the median, the 90th
# percentile and the largest delay, and how many were within one 60 Hz frame (16.7 ms).
#   python3 tools/measure/key-to-frame.py GAME [PRESSES]
import ctypes, os, random, shutil, statistics, subprocess, sys, tempfile, time

game = os.path.abspath(sys.argv[1])
presses = int(sys.argv[2]) if len(sys.argv) > 2 else 60
frame_ms = 1000 / 60

x11 = ctypes.CDLL('libX11.so.6')
xtst = ctypes.CDLL('libXtst.so.6')
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]

# The player's surroundings: 240 x 200 around the middle of the screen, clear of the overlay's
# frame rate, which changes by itself.
AREA = (280, 200, 240, 200)


def grab(display, root):
    image = x11.XGetImage(display, root, *AREA, 0xFFFFFFFF, 2)  # ZPixmap
    if not image:
        return b''
    data = ctypes.c_void_p.from_address(image + 16).value  # XImage: 4 ints, then data
    stride = ctypes.c_int.from_address(image + 44).value  # bytes_per_line
    pixels = ctypes.string_at(data, stride * AREA[3])
    x11.XDestroyImage(image)
    return pixels


# The picture until it stays the same for 0.2 s (the player stood, the camera at rest).
def still(display, root, seconds=10):
    deadline = time.monotonic() + seconds
    last = grab(display, root)
    while time.monotonic() < deadline:
        time.sleep(0.2)
        now = grab(display, root)
        if now == last and now.strip(b'\0'):
            return now
        last = now
    sys.exit('the picture did not come to rest')


work = tempfile.mkdtemp()
xvfb = game_process = None
try:
    os.mkdir(f'{work}/level')
    with open(f'{work}/level/x2.actors', 'w') as f:
        f.write('player 1150 2800\nwalker 7000 7000\n')  # flat ground ahead, no walker near
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '800x600x24',
                             '-nolisten', 'tcp'], pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = os.read(read_end, 16).decode().strip()
    env = dict(os.environ, DISPLAY=f':{number}')
    env.pop('SDL_VIDEODRIVER', None)
    game_process = subprocess.Popen([game, f'{work}/level'], cwd=work, env=env,
                                    stderr=subprocess.DEVNULL)
    os.environ['DISPLAY'] = env['DISPLAY']
    display = x11.XOpenDisplay(None)
    root = x11.XDefaultRootWindow(display)
    xtst.XTestFakeMotionEvent(display, -1, 400, 300, 0)  # the pointer over the game
    still(display, root, 30)
    keys = [x11.XKeysymToKeycode(display, x11.XStringToKeysym(k)) for k in (b'Right', b'Left', b'z')]
    names = ('Right', 'Left', 'Z')
    delays, by_key, missed = [], {n: [] for n in names}, 0
    for i in range(presses):
        before = still(display, root)
        time.sleep(random.uniform(0, frame_ms / 1000))
        start = time.perf_counter()
        xtst.XTestFakeKeyEvent(display, keys[i % 3], 1, 0)
        x11.XFlush(display)
        seen = None
        while time.perf_counter() - start < 1:
            if grab(display, root) != before:
                seen = time.perf_counter()
                break
            time.sleep(0.0002)
        xtst.XTestFakeKeyEvent(display, keys[i % 3], 0, 0)
        x11.XFlush(display)
        if seen is None:
            missed += 1
        else:
            delays.append((seen - start) * 1000)
            by_key[names[i % 3]].append(delays[-1])
    if game_process.poll() is not None:
        sys.exit(f'the game ended with status {game_process.returncode}')
    delays.sort()
    within = sum(d <= frame_ms for d in delays)
    print(f'{len(delays)} presses (Right, Left, Z in turn), {missed} without a change within 1 s')
    print(f'key press to the first changed frame on screen: median {statistics.median(delays):.1f} ms, '
          f'90th percentile {delays[int(0.9 * (len(delays) - 1))]:.1f} ms, '
          f'largest {delays[-1]:.1f} ms, smallest {delays[0]:.1f} ms; '
          f'{within} of {len(delays)} within one 60 Hz frame ({frame_ms:.1f} ms)')
    print('; '.join(f'{n}: median {statistics.median(d):.1f} ms, largest {max(d):.1f} ms'
                    for n, d in by_key.items() if d))
finally:
    for p in (game_process, xvfb):
        if p is not None and p.poll() is None:
            p.terminate()
            p.wait()
    shutil.rmtree(work, ignore_errors=True)
