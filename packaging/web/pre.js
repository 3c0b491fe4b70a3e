// Set up before the game's program starts in the page (linked with --pre-js): its command
// line, and the player's files (settings, best scores, replays) kept in the browser's
// IndexedDB, read before the program starts and written back after every save.

// The data is packed into glimmerax.data and unpacked at /data.
Module['arguments'] = Module['arguments'] || ['--data', '/data'];

// The player's files live under /player: the program finds them through the XDG folders.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
    FS.mkdir('/player');
    FS.mount(IDBFS, {}, '/player');
    ENV['XDG_DATA_HOME'] = '/player/data';
    ENV['XDG_CONFIG_HOME'] = '/player/config';
    addRunDependency('player-files');
    FS.syncfs(true, function (error) {
        if (error) {
            console.error('The player\'s files could not be read from IndexedDB (' + error +
                          '): the game starts without them');
        }
        removeRunDependency('player-files');
    });
});

// Called by the program after each save (platform::FlushFolder). One write to IndexedDB runs
// at a time; a save during one is written by another right after it, so the last save
// always reaches IndexedDB.
(function () {
    var writing = false;
    var again = false;
    function write() {
        writing = true;
        again = false;
        FS.syncfs(false, function (error) {
            if (error) {
                console.error('The player\'s files could not be written to IndexedDB: ' + error);
            }
            writing = false;
            if (again) {
                write();
            } else if (Module['onPlayerFilesPersisted']) {
                Module['onPlayerFilesPersisted']();
            }
        });
    }
    Module['persistPlayerFiles'] = function () {
        if (writing) {
            again = true;
        } else {
            write();
        }
    };
})();
