function winscore_build (outdir, api)
%WINSCORE_BUILD  Compile the winscore plug-ins without CMake, in Octave or MATLAB.
%   WINSCORE_BUILD compiles the plug-ins into build/mex below this file's
%   folder; WINSCORE_BUILD(OUTDIR) into OUTDIR. Each plug-in's help text is
%   copied beside it, and the toolbox API (+winscore) and Contents.m too, so
%   after ADDPATH(OUTDIR) the plug-ins, winscore.propose and the rest, and
%   HELP all work.
%
%   WINSCORE_BUILD(OUTDIR, API) picks MATLAB's array API: '-compatibleArrayDims'
%   (the default; 32-bit sizes, as the classic API has them) or '-R2018a'
%   (64-bit sizes and the interleaved complex API, MATLAB R2018a or later).
%   WINSCORE_BUILD(API) builds into the default folder. Octave has one API
%   and ignores the choice.
%
%   Every compiler gets C++17 and floating-point operations in their written
%   order (no fused multiply-add, no fast-math), so the results match the
%   CMake build bit for bit, each in the way it takes them:
%     Octave               mkoctfile --mex, with CXXFLAGS -std=c++17 -O2
%                          -ffp-contract=off
%     MATLAB, GCC, Clang   mex with CXXFLAGS -std=c++17 -ffp-contract=off
%     MATLAB, MSVC         mex with COMPFLAGS /std:c++17 /fp:precise
%   The files of each plug-in and the flags come from build-facts.mk beside
%   this file. With the environment variable WS_PRINT_FACTS set, it prints
%   every fact as it reads it and builds nothing.
%   Any C++17 compiler works: GCC 7, Clang 5, Visual Studio 2017 (15.3) or later.
%
%   Example:
%     winscore_build ();
%     addpath (fullfile (fileparts (which ('winscore_build')), 'build', 'mex'));
%     help tallyplane
%
%   See also TALLYPLANE, RINGDIFF, GRIDSWEEP, PEAKPICK, DRAWWEIGHTED, GREEDYPICK.

% SPDX-License-Identifier: MIT

  root = fileparts (mfilename ('fullpath'));
  apis = {'-compatibleArrayDims', '-R2018a'};
  if nargin < 1
    outdir = '';
  end
  if nargin < 2
    api = '';
  end
  if isempty (api) && any (strcmp (outdir, apis))   % WINSCORE_BUILD(API)
    api = outdir;
    outdir = '';
  end
  if isempty (outdir)
    outdir = fullfile (root, 'build', 'mex');
  end
  if isempty (api)
    api = apis{1};
  end
  if ~ischar (api) || ~any (strcmp (api, apis))
    error ('winscore:winscore_build:badApi', ...
           'winscore_build: API must be ''-compatibleArrayDims'' or ''-R2018a''');
  end

  facts = read_facts (root);
  if ~isempty (getenv ('WS_PRINT_FACTS'))
    names = regexp (facts, '^(WS_[A-Za-z0-9_]+)[ \t]*=', 'tokens', 'lineanchors');
    for k = 1:numel (names)
      fprintf ('%s\n', strjoin ([names{k}, fact(facts, names{k}{1})], ' '));
    end
    return;
  end
  plugins = fact (facts, 'WS_PLUGINS');
  % The API's own kernels, built into the package folder that makes them
  % winscore.internal.<name>.
  kernels = fact (facts, 'WS_API_KERNELS');
  if ~isempty (kernels)
    apiFolder = fullfile (outdir, char (fact (facts, 'WS_API_FOLDER')));
  end
  standard = char (fact (facts, 'WS_CXX_STANDARD'));
  host = fact (facts, 'WS_HOST_SOURCES');

  % Every file first, so a missing one stops the build before it starts.
  needed = [host, fact(facts, 'WS_MFILES'), fact(facts, 'WS_MFOLDERS')];
  names = [plugins, kernels];
  for k = 1:numel (names)
    needed = [needed, fact(facts, ['WS_SOURCES_' names{k}])];
  end
  for k = 1:numel (needed)
    if ~exist (fullfile (root, needed{k}), 'file')
      error ('winscore:winscore_build:missingFile', 'winscore_build: %s is missing', ...
             fullfile (root, needed{k}));
    end
  end

  isOctave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
  if isOctave
    % mkoctfile takes its compiler flags from the environment.
    old = getenv ('CXXFLAGS');
    setenv ('CXXFLAGS', strjoin ([{['-std=c++' standard]}, fact(facts, 'WS_OPTFLAGS'), ...
                                  fact(facts, 'WS_FPFLAGS')], ' '));
    restore = onCleanup (@() setenv ('CXXFLAGS', old));
    flags = {};
  else
    flags = matlab_flags (facts, standard);
  end
  if ~exist (outdir, 'dir')
    mkdir (outdir);
  end
  for k = 1:numel (plugins)
    name = plugins{k};
    files = fact (facts, ['WS_SOURCES_' name]);
    build_one (root, name, files, outdir, host, isOctave, api, flags);
    help = files(~cellfun (@isempty, regexp (files, '\.m$', 'once')));
    copyfile (fullfile (root, help{1}), fullfile (outdir, [name '.m']));
  end
  if ~isempty (kernels) && ~exist (apiFolder, 'dir')
    mkdir (apiFolder);
  end
  for k = 1:numel (kernels)
    build_one (root, kernels{k}, fact (facts, ['WS_SOURCES_' kernels{k}]), apiFolder, host, ...
               isOctave, api, flags);
  end
  % The shipped scripts (the overview, the demo) and folders (the toolbox API)
  % beside the plug-ins, so one addpath gives all.
  scripts = fact (facts, 'WS_MFILES');
  for k = 1:numel (scripts)
    [~, base, ext] = fileparts (scripts{k});
    copyfile (fullfile (root, scripts{k}), fullfile (outdir, [base ext]));
  end
  folders = fact (facts, 'WS_MFOLDERS');
  for k = 1:numel (folders)
    % Into the folder, so a second build does not nest a copy inside the first.
    if ~exist (fullfile (outdir, folders{k}), 'dir')
      mkdir (fullfile (outdir, folders{k}));
    end
    copyfile (fullfile (root, folders{k}, '*'), fullfile (outdir, folders{k}));
  end
end

function build_one (root, name, files, outdir, host, isOctave, api, flags)
  % The sources among FILES (the gateway and its kernel's) with the host
  % sources, into OUTDIR/NAME.mex (or MATLAB's extension).
  sources = [files, host];
  sources = sources(~cellfun (@isempty, regexp (sources, '\.cpp$', 'once')));
  sources = cellfun (@(f) fullfile (root, f), sources, 'UniformOutput', false);
  % Every folder a listed file lies in is on the include path.
  folders = unique (cellfun (@(f) fileparts (fullfile (root, f)), files, 'UniformOutput', false));
  includes = [{['-I' fullfile(root, 'hostif')]}, cellfun(@(d) ['-I' d], folders, 'UniformOutput', false)];
  if isOctave
    mex (includes{:}, '-o', fullfile (outdir, [name '.mex']), sources{:});
  else
    mex (api, flags{:}, includes{:}, '-outdir', outdir, '-output', name, sources{:});
  end
end

function flags = matlab_flags (facts, standard)
  % MSVC, and compilers that take its options on Windows, read COMPFLAGS;
  % GCC and Clang (MinGW included) read CXXFLAGS.
  cc = mex.getCompilerConfigurations ('C++', 'Selected');
  if isempty (cc)
    error ('winscore:winscore_build:noCompiler', ...
           'winscore_build: no C++ compiler selected; run  mex -setup C++');
  end
  if ispc && ~strcmpi (cc(1).Manufacturer, 'GNU')
    flags = {['COMPFLAGS=$COMPFLAGS ' strjoin([{['/std:c++' standard]}, ...
                                               fact(facts, 'WS_MSVC_FPFLAGS')], ' ')]};
  else
    flags = {['CXXFLAGS=$CXXFLAGS ' strjoin([{['-std=c++' standard]}, ...
                                             fact(facts, 'WS_FPFLAGS')], ' ')], ...
             ['CXXOPTIMFLAGS=' strjoin([fact(facts, 'WS_OPTFLAGS'), {'-DNDEBUG'}], ' ')]};
  end
end

function text = read_facts (root)
  file = fullfile (root, 'build-facts.mk');
  if ~exist (file, 'file')
    error ('winscore:winscore_build:missingFile', 'winscore_build: %s is missing', file);
  end
  text = fileread (file);
end

function words = fact (text, name)
  % The blank-separated words of the line NAME = words.
  line = regexp (text, ['^' name '[ \t]*=([^\r\n]*)'], 'tokens', 'once', 'lineanchors');
  if isempty (line)
    error ('winscore:winscore_build:missingFact', ...
           'winscore_build: build-facts.mk does not set %s', name);
  end
  words = regexp (strtrim (line{1}), '\s+', 'split');
  words = words(~cellfun (@isempty, words));
end
