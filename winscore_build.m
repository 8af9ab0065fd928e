function winscore_build (outdir)
%WINSCORE_BUILD  Compile the winscore plug-ins without CMake, in Octave or MATLAB.
%   WINSCORE_BUILD compiles the six plug-ins into build/mex below this file's
%   folder; WINSCORE_BUILD(OUTDIR) into OUTDIR. Each plug-in's help text is
%   copied beside it, and the toolbox API (+winscore) and Contents.m too, so
%   after ADDPATH(OUTDIR) the plug-ins, winscore.propose and the rest, and
%   HELP all work.
%
%   In Octave it runs mkoctfile --mex. In MATLAB it runs mex with
%   -compatibleArrayDims (the plug-ins use 32-bit sizes, as MATLAB's classic
%   array API does). Both compile with -ffp-contract=off and without
%   fast-math, so floating-point operations keep their written order and the
%   results match the CMake build bit for bit. With MSVC, use /fp:precise
%   /fp:contract- instead (set COMPFLAGS).
%
%   Example:
%     winscore_build ();
%     addpath (fullfile (fileparts (which ('winscore_build')), 'build', 'mex'));
%     help tallyplane
%
%   See also TALLYPLANE, RINGDIFF, GRIDSWEEP, PEAKPICK, DRAWWEIGHTED, GREEDYPICK.

% SPDX-License-Identifier: MIT

  root = fileparts (mfilename ('fullpath'));
  if nargin < 1
    outdir = fullfile (root, 'build', 'mex');
  end
  if ~exist (outdir, 'dir')
    mkdir (outdir);
  end
  isOctave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
  plugins = {'tallyplane', 'ringdiff', 'gridsweep', 'peakpick', 'drawweighted', 'greedypick'};
  hostif = fullfile (root, 'hostif');
  if isOctave
    % mkoctfile takes its compiler flags from the environment.
    old = getenv ('CXXFLAGS');
    setenv ('CXXFLAGS', '-std=c++17 -O2 -ffp-contract=off');
    restore = onCleanup (@() setenv ('CXXFLAGS', old));
  end
  for k = 1:numel (plugins)
    name = plugins{k};
    dir = fullfile (root, name);
    if ~exist (fullfile (dir, [name '_gateway.cpp']), 'file')
      continue;
    end
    sources = {fullfile(dir, [name '_gateway.cpp']), fullfile(dir, [name '_kernel.cpp']), ...
               fullfile(hostif, 'host.cpp')};
    includes = {['-I' hostif], ['-I' dir]};
    if isOctave
      mex (includes{:}, '-o', fullfile (outdir, [name '.mex']), sources{:});
    else
      mex ('-compatibleArrayDims', ...
           'CXXFLAGS=$CXXFLAGS -std=c++17 -ffp-contract=off', ...
           'CXXOPTIMFLAGS=-O2 -DNDEBUG', ...
           includes{:}, '-outdir', outdir, '-output', name, sources{:});
    end
    copyfile (fullfile (dir, [name '.m']), fullfile (outdir, [name '.m']));
  end
  % The toolbox API and the overview beside the plug-ins.
  api = fullfile (outdir, '+winscore');
  if ~exist (api, 'dir')
    mkdir (api);
  end
  copyfile (fullfile (root, '+winscore', '*'), api);
  copyfile (fullfile (root, 'Contents.m'), fullfile (outdir, 'Contents.m'));
end
