// Tiled opens and saves Vorn7 level files ("x2.lvl", the tile grid, and "x2fg.lvl", the
// foreground blocks) as maps. The numbering is the one docs/LEVEL_FORMAT.md states and
// vorn7-level uses; a test runs both through Tiled and compares the bytes.
//   A level line is a row, a character a cell: character code - 61 is the game's index; "<"
//   is an empty cell. The tile sheet's game index K * 4 + R (sheet column K, row R) is Tiled's
//   tile R * 16 + K; the block sheet's index is its Tiled tile.

/* global tiled, TextFile, TileMap, TileLayer, ObjectGroup, MapObject, Tileset, File */

var SIDE = 256;
var EMPTY = "<";

// The two sheets, as vorn7-level knows them.
var SHEETS = {
    tiles: { name: "tiles", image: "gfx/tiles.bmp", tileset: "tiles.tsx", size: 32, margin: 1,
             spacing: 1, columns: 16, count: 64 },
    blocks: { name: "blocks", image: "gfx/badguysprites2.bmp", tileset: "blocks.tsx", size: 128,
              margin: 1, spacing: 2, columns: 3, count: 3 }
};

// A level file holds no tile size: the block grid is the file whose name ends in "fg.lvl".
function sheetOfFile(fileName) {
    return /fg\.lvl$/i.test(fileName) ? SHEETS.blocks : SHEETS.tiles;
}

function tiledNumberOf(sheet, gameIndex) {
    if (gameIndex < 0 || gameIndex >= sheet.count) return -1;
    if (sheet !== SHEETS.tiles) return gameIndex;
    return (gameIndex % 4) * sheet.columns + Math.floor(gameIndex / 4);
}

function gameIndexOf(sheet, tiledNumber) {
    if (sheet !== SHEETS.tiles) return tiledNumber;
    return (tiledNumber % sheet.columns) * 4 + Math.floor(tiledNumber / sheet.columns);
}

function folderOf(fileName) {
    var slash = fileName.lastIndexOf("/");
    return slash < 0 ? "." : fileName.substring(0, slash);
}

// The tileset beside the level: the game's data folder and every folder vorn7-level new makes
// hold one for each sheet (Tiled 1.8 scripts cannot set a tileset's margin or spacing).
function tilesetFor(sheet, fileName) {
    var tsx = folderOf(fileName) + "/" + sheet.tileset;
    if (!File.exists(tsx))
        throw new Error(fileName + ": " + sheet.tileset + " is not beside the level " +
                        "(vorn7-level new FOLDER makes a level folder with it)");
    var tileset = tiled.tilesetFormat("tsx").read(tsx);
    if (tileset.tileCount >= sheet.count) return tileset;
    // Its picture missing or unreadable: the level still opens, on blank tiles of the right
    // number, and the designer is told which picture to put back.
    say(fileName + ": the picture of " + sheet.tileset + " (" + (tileset.image || sheet.image) +
        ") is missing or unreadable: the level opens with blank tiles until it is back");
    var standIn = new Tileset(sheet.name);
    standIn.setTileSize(sheet.size, sheet.size);
    for (var i = 0; i < sheet.count; ++i) standIn.addTile();
    return standIn;
}

// The actors of a tile level: x2.actors beside it (docs/LEVEL_FORMAT.md), an object layer named
// "actors" in Tiled, a point object of type (class) "walker", "player", "goal" or "start" per
// line. The file's comment lines are kept in the layer's "comments" property and written back
// first, so a file the tools wrote goes through Tiled and back byte for byte.
var ACTORS_LAYER = "actors";
var ACTORS_FILE = "x2.actors";
var ACTORS_HEADER = "# Vorn7 actors: KIND X Y a line (walker, player, goal: the frame's top-left; start: the view centre)";
// Each kind's frame, whose top-left corner its point is (the start is the view centre itself);
// every kind but the walker is at most one a level.
var KINDS = {
    walker: { width: 64, height: 64 },
    player: { width: 32, height: 48 },
    goal: { width: 32, height: 64 },
    start: { width: 0, height: 0 }
};
var WORLD = SIDE * 32;
var MAX_WALKERS = 256;

function actorsFileOf(fileName) {
    return folderOf(fileName) + "/" + ACTORS_FILE;
}

// A warning in Tiled's Issues (and, for a command-line export, on its output).
function say(text) {
    tiled.warn(text);
    print("warning: " + text);
}

function kindOf(object) {
    return object.className !== undefined ? object.className : object.type;
}

// Own keys only: a type such as "constructor" is no kind.
function isKind(word) {
    return Object.prototype.hasOwnProperty.call(KINDS, word);
}

// What each actors file held when Tiled read it (null: there was none), so that a save never
// overwrites a file changed on disk since (a hand edit the game already shows) without asking.
var actorsRead = {};

function readText(path) {
    var file = new TextFile(path, TextFile.ReadOnly);
    var text = file.readAll();
    file.close();
    return text;
}

function readActors(fileName, map) {
    var path = actorsFileOf(fileName);
    actorsRead[path] = File.exists(path) ? readText(path) : null;
    if (actorsRead[path] === null) return;
    var lines = actorsRead[path].split("\n");
    var group = new ObjectGroup(ACTORS_LAYER);
    var comments = [];
    for (var i = 0; i < lines.length; ++i) {
        var line = lines[i].replace(/\r$/, "");
        if (/^\s*#/.test(line)) {
            comments.push(line);
            continue;
        }
        var words = line.replace(/#.*/, "").trim().split(/\s+/);
        if (words.length === 1 && words[0] === "") continue;
        if (words.length !== 3 || !isKind(words[0]) || !/^\d+$/.test(words[1]) ||
            !/^\d+$/.test(words[2]))
            throw new Error(path + ": line " + (i + 1) + ": expected KIND X Y (walker, player, " +
                            "goal or start, then two whole numbers)");
        var object = new MapObject(words[0]);
        object.shape = MapObject.Point;
        if (object.className !== undefined) object.className = words[0];
        else object.type = words[0];
        object.x = Number(words[1]);
        object.y = Number(words[2]);
        group.addObject(object);
    }
    if (comments.length > 0) group.setProperty("comments", comments.join("\n"));
    map.addLayer(group);
}

// The actors layer written beside the level; other object layers and objects are said, by name,
// never dropped without a word. An error text when the layer cannot be written.
function writeActors(map, fileName) {
    var group = null;
    for (var i = 0; i < map.layerCount; ++i) {
        var layer = map.layerAt(i);
        if (!layer.isObjectLayer) continue;
        if (layer.name === ACTORS_LAYER && group === null) group = layer;
        else say(fileName + ": object layer \"" + layer.name + "\" is not saved (only the " +
                        "\"actors\" layer's actor points are)");
    }
    if (group === null) {
        if (File.exists(actorsFileOf(fileName)))
            say(fileName + ": the map has no \"actors\" layer; " + ACTORS_FILE +
                       " is kept as it is (delete it to drop the level's actors)");
        return undefined;
    }
    var comments = group.property("comments");
    var text = (comments ? comments : ACTORS_HEADER) + "\n";
    var counts = {};
    for (var j = 0; j < group.objectCount; ++j) {
        var object = group.objectAt(j);
        var kind = kindOf(object);
        if (!isKind(kind) || object.shape !== MapObject.Point) {
            say(fileName + ": object \"" + (object.name || object.id) + "\" in \"actors\" is " +
                       "not saved: an actor is a point of type walker, player, goal or start");
            continue;
        }
        var x = Math.round(object.x), y = Math.round(object.y);
        if (x < 0 || y < 0 || x >= WORLD || y >= WORLD)
            return fileName + ": the " + kind + " at (" + x + ", " + y + ") is outside the world " +
                   "(0 to " + (WORLD - 1) + ")";
        counts[kind] = (counts[kind] || 0) + 1;
        if (kind === "walker" && counts[kind] > MAX_WALKERS)
            return fileName + ": more than " + MAX_WALKERS + " walkers";
        if (kind !== "walker" && counts[kind] > 1)
            return fileName + ": a second " + kind + " (a level has one)";
        text += kind + " " + x + " " + y + "\n";
    }
    var path = actorsFileOf(fileName);
    if (!mayOverwrite(path, text, fileName)) return undefined;
    var file = new TextFile(path, TextFile.WriteOnly);
    file.write(text);
    file.commit();
    actorsRead[path] = text;
    return undefined;
}

// Whether the actors file may be replaced by text: yes when it is as Tiled read it (or as this
// save leaves it); otherwise it changed on disk since, or Tiled never read it, and the designer
// is asked. Without a window to ask in (--export-map) it is kept, and said. The level itself is
// saved either way.
function mayOverwrite(path, text, fileName) {
    if (!File.exists(path)) return true;
    var onDisk = readText(path);
    var known = Object.prototype.hasOwnProperty.call(actorsRead, path) ? actorsRead[path] : undefined;
    if (onDisk === text || onDisk === known) return true;
    var why = known === undefined ? "Tiled did not read it" : "it changed on disk since Tiled read it";
    if (tiled.activeAsset && typeof tiled.confirm === "function" &&
        tiled.confirm(path + ": " + why + ".\nReplace it with the map's actors? " +
                      "(No keeps the file as it is on disk; the level is saved either way.)",
                      "Vorn7: the actors file changed"))
        return true;
    say(fileName + ": " + ACTORS_FILE + " is kept as it is on disk (" + why + "); the map's " +
        "actors are not saved. Reopen the map to take the file's actors.");
    return false;
}

function readLevel(fileName) {
    var file = new TextFile(fileName, TextFile.ReadOnly);
    var text = file.readAll();
    file.close();
    if (text.charCodeAt(0) === 0xfeff) text = text.substring(1);
    var lines = text.split("\n");
    if (lines.length > 0 && lines[lines.length - 1] === "") lines.pop();
    if (lines.length < SIDE)
        throw new Error(fileName + ": Error loading level. The file has " + lines.length +
                        " lines; a level needs " + SIDE + ".");

    var sheet = sheetOfFile(fileName);
    var map = new TileMap();
    map.setSize(SIDE, SIDE);
    map.setTileSize(sheet.size, sheet.size);
    map.orientation = TileMap.Orthogonal;
    var tileset = tilesetFor(sheet, fileName);
    map.addTileset(tileset);
    var layer = new TileLayer(sheet.name);
    layer.width = SIDE;
    layer.height = SIDE;
    var edit = layer.edit();
    for (var row = 0; row < SIDE; ++row) {
        var line = lines[row];
        if (line.length > 0 && line.charAt(line.length - 1) === "\r")
            line = line.substring(0, line.length - 1);
        for (var column = 0; column < SIDE && column < line.length; ++column) {
            var number = tiledNumberOf(sheet, line.charCodeAt(column) - 61);
            if (number >= 0) edit.setTile(column, row, tileset.tile(number));
        }
    }
    edit.apply();
    map.addLayer(layer);
    if (sheet === SHEETS.tiles) readActors(fileName, map);
    return map;
}

function writeLevel(map, fileName) {
    var layers = [];
    for (var i = 0; i < map.layerCount; ++i) {
        var candidate = map.layerAt(i);
        if (candidate.isTileLayer && candidate.visible) layers.push(candidate);
    }
    if (layers.length !== 1)
        return fileName + ": a level is one visible tile layer; this map has " + layers.length;
    var layer = layers[0];
    if (map.width !== SIDE || map.height !== SIDE || layer.width < SIDE || layer.height < SIDE)
        return fileName + ": a level is " + SIDE + " x " + SIDE + " cells; this map is " +
               map.width + " x " + map.height;
    // The map's tile size says which grid it is, whatever the file is called.
    var sheet = map.tileWidth === SHEETS.blocks.size ? SHEETS.blocks : SHEETS.tiles;
    // Tiled 1.8 does not tell a tile's tileset to scripts: the map may hold only the level's own.
    var tilesets = map.tilesets;
    if (tilesets.length !== 1 || tilesets[0].tileWidth !== sheet.size ||
        tilesets[0].tileCount !== sheet.count)
        return fileName + ": a level uses one tileset, the " + sheet.count + " " + sheet.name +
               " of " + sheet.size + " pixels";
    var text = "";
    for (var row = 0; row < SIDE; ++row) {
        var line = "";
        for (var column = 0; column < SIDE; ++column) {
            var tile = layer.tileAt(column, row);
            if (tile === null) {
                line += EMPTY;
                continue;
            }
            if (layer.flagsAt(column, row) !== 0)
                return fileName + ": the tile at column " + column + ", row " + row +
                       " is flipped or rotated; the game draws tiles as they are";
            line += String.fromCharCode(gameIndexOf(sheet, tile.id) + 61);
        }
        text += line + "\n";
    }
    // The actors first: a refusal leaves both files as they were.
    if (sheet === SHEETS.tiles) {
        var refused = writeActors(map, fileName);
        if (refused) return refused;
    } else {
        for (var k = 0; k < map.layerCount; ++k)
            if (map.layerAt(k).isObjectLayer)
                say(fileName + ": object layer \"" + map.layerAt(k).name + "\" is not " +
                           "saved: actors belong to the tile level, x2.lvl");
    }
    // Written to a temporary file and renamed on commit: the level is replaced whole or not at all.
    var file = new TextFile(fileName, TextFile.WriteOnly);
    file.write(text);
    file.commit();
    return undefined;
}

// Tiled shows a refusal in its save dialog, but its command line (--export-map) says only that the
// export failed: the reason goes to the output as well.
function writeLevelOrSay(map, fileName) {
    var refused = writeLevel(map, fileName);
    if (refused) print("error: " + refused);
    return refused;
}

tiled.registerMapFormat("vorn7", {
    name: "Vorn7 level",
    extension: "lvl",
    read: readLevel,
    write: writeLevelOrSay
});

// Play in Vorn7 (F5): the level at the part of the map Tiled shows (or at the selected object),
// in a window of its own. A game already watching the level folder moves its camera there
// instead: it marks the folder (.vorn7-watching, its process number) and follows .vorn7-view.
var WATCHING_FILE = ".vorn7-watching";
var VIEW_FILE = ".vorn7-view";
var NEW_GAME_COMMAND = "Vorn7: a new game here";
// The block layer scrolls at four times the camera; its position on screen depends on the mode:
// the game's start mode, 800 x 600, is the one Play shows.
var START_MODE = { width: 800, height: 600 };

function clampToWorld(value) {
    return Math.max(0, Math.min(WORLD, Math.round(value)));
}

// The camera's view centre for what Tiled shows: the middle of a selected actor's frame (a
// start's own point), or the middle of the map view; a block map's pixels taken back to the camera.
function viewCentre(map) {
    var point = null;
    var selected = map.selectedObjects;
    if (selected && selected.length > 0) {
        var object = selected[0];
        var frame = isKind(kindOf(object)) ? KINDS[kindOf(object)] : KINDS.start;
        point = { x: object.x + frame.width / 2, y: object.y + frame.height / 2 };
    } else {
        var view = tiled.mapEditor.currentMapView;
        point = { x: view.center.x, y: view.center.y };
    }
    if (map.tileWidth === SHEETS.blocks.size)
        point = { x: point.x / 4 + 3 * START_MODE.width / 8,
                  y: point.y / 4 + 3 * START_MODE.height / 8 };
    return { x: clampToWorld(point.x), y: clampToWorld(point.y) };
}

function watchingGame(folder) {
    var path = folder + "/" + WATCHING_FILE;
    if (!File.exists(path)) return false;
    var file = new TextFile(path, TextFile.ReadOnly);
    var pid = file.readAll().trim();
    file.close();
    return /^[0-9]+$/.test(pid) && File.exists("/proc/" + pid);
}

// The game as vorn7-level new wrote it into the folder's project.
function gameProgram(folder) {
    var path = folder + "/vorn7.tiled-project";
    if (!File.exists(path)) return null;
    var file = new TextFile(path, TextFile.ReadOnly);
    var project = JSON.parse(file.readAll());
    file.close();
    var commands = project.commands || [];
    for (var i = 0; i < commands.length; ++i)
        if (commands[i].name === NEW_GAME_COMMAND) return commands[i].command;
    return null;
}

function playInVorn7() {
    var map = tiled.activeAsset;
    if (!map || !map.isTileMap || !/\.lvl$/i.test(map.fileName)) {
        tiled.alert("Play in Vorn7 plays a level: open x2.lvl or x2fg.lvl of a level folder.");
        return;
    }
    if (map.modified) {
        tiled.trigger("Save");
        // A refused save leaves the map modified: the game would play what was saved before.
        if (map.modified) {
            tiled.alert("Play in Vorn7: the level was not saved (Tiled says why), so the game " +
                        "would play it as it was last saved. Mend the map and play again.");
            return;
        }
    }
    var folder = folderOf(map.fileName);
    var at = viewCentre(map);
    if (watchingGame(folder)) {
        var view = new TextFile(folder + "/" + VIEW_FILE, TextFile.WriteOnly);
        view.write(at.x + " " + at.y + "\n");
        view.commit();
        tiled.log("Vorn7: the game playing " + folder + " moves to " + at.x + ", " + at.y);
        return;
    }
    var game = gameProgram(folder);
    if (game === null) {
        tiled.alert(folder + " has no vorn7.tiled-project with the game's command " +
                    "(vorn7-level new FOLDER makes one).");
        return;
    }
    // A session of its own: the game outlives Tiled, and its window is an ordinary one.
    new Process().exec("/bin/sh", ["-c", "cd \"$1\" && setsid \"$2\" --watch --windowed " +
                                   "--at \"$3\" \"$1\" </dev/null >/dev/null 2>&1 &",
                                   "sh", folder, game, at.x + "," + at.y]);
    tiled.log("Vorn7: playing " + folder + " at " + at.x + ", " + at.y);
}

var playAction = tiled.registerAction("PlayInVorn7", playInVorn7);
playAction.text = "Play in Vorn7";
playAction.shortcut = "F5";
tiled.extendMenu("Map", [{ separator: true }, { action: "PlayInVorn7" }]);
