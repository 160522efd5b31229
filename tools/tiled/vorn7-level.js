// Tiled opens and saves Vorn7 level files ("x2.lvl", the tile grid, and "x2fg.lvl", the
// foreground blocks) as maps. The numbering is the one docs/LEVEL_FORMAT.md states and
// vorn7-level uses; a test runs both through Tiled and compares the bytes.
//   A level line is a row, a character a cell: character code - 61 is the game's index; "<"
//   is an empty cell. The tile sheet's game index K * 4 + R (sheet column K, row R) is Tiled's
//   tile R * 16 + K; the block sheet's index is its Tiled tile.

/* global tiled, TextFile, TileMap, TileLayer, Tileset, File */

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
    return tiled.tilesetFormat("tsx").read(tsx);
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
    // Written to a temporary file and renamed on commit: the level is replaced whole or not at all.
    var file = new TextFile(fileName, TextFile.WriteOnly);
    file.write(text);
    file.commit();
    return undefined;
}

tiled.registerMapFormat("vorn7", {
    name: "Vorn7 level",
    extension: "lvl",
    read: readLevel,
    write: writeLevel
});
