function varargout = workerPool (command, varargin)
%WORKERPOOL  Run a function over a list on worker processes, one result at a time.
%   POOL = winscore.internal.workerPool('start', CALLER, FUN, ITEMS, N)
%   prepares FUN(ITEMS{k}) for every k on N workers: Octave's parallel
%   package, MATLAB's open parallel pool, or, with N = 1 or neither at hand
%   (then with a warning), the calling process.
%   [POOL, K, RESULT] = winscore.internal.workerPool('next', POOL) waits for
%   the next result to finish, in whatever order the workers finish them.
%   Items are handed out as workers free up (in MATLAB, 4 per worker
%   ahead), so a call stopped half way leaves little work running.

% SPDX-License-Identifier: MIT

  switch command
    case 'start'
      varargout{1} = start (varargin{:});
    case 'next'
      [varargout{1:3}] = next (varargin{1});
  end
end

function pool = start (caller, fun, items, workers)
  pool = struct ('kind', 'serial', 'fun', fun, 'items', {items}, 'sent', 0, 'got', 0, ...
                 'workers', 1, 'chunk', {{}}, 'chunkFrom', 0, 'pool', [], 'futures', []);
  workers = min (workers, numel (items));
  if workers <= 1
    return;
  end
  if exist ('OCTAVE_VERSION', 'builtin')
    try
      pkg ('load', 'parallel');
    catch err
      winscore.internal.warn (caller, 'noParallel', err.message);
      return;
    end
    pool.workers = workers;
    % The package's own job interface hands back each result as it is
    % done; parcellfun, its only other way in, returns when all are done.
    if exist ('__parcellfun_get_next_result__') == 3
      pool.kind = 'octave';
      try
        used = startJob (fun, workers);
      catch
        % Workers left busy by an interrupted job: start them afresh, as
        % parcellfun does. A package whose job interface differs (as
        % before version 4.0.1) runs the images here.
        feval ('parcellfun_set_nproc', 0);
        try
          used = startJob (fun, workers);
        catch err
          winscore.internal.warn (caller, 'noParallel', err.message);
          pool.kind = 'serial';
          pool.workers = 1;
          return;
        end
      end
      pool.workers = used;
    else
      pool.kind = 'chunks';
    end
  else
    p = [];
    try
      p = gcp ('nocreate');
    catch
    end
    if isempty (p)
      winscore.internal.warn (caller, 'noPool', workers);
      return;
    end
    pool.kind = 'matlab';
    pool.pool = p;
    pool.workers = p.NumWorkers;
  end
end

function [pool, k, result] = next (pool)
  switch pool.kind
    case 'serial'
      pool.sent = pool.sent + 1;
      k = pool.sent;
      result = pool.fun (pool.items{k});
    case 'octave'
      while pool.sent < numel (pool.items) && ...
            feval ('__parcellfun_send_next_args__', pool.sent + 1, pool.items(pool.sent + 1))
        pool.sent = pool.sent + 1;
      end
      [k, result] = feval ('__parcellfun_get_next_result__');
      result = result{1};
    case 'chunks'
      % parcellfun over a few items per worker at a time.
      if isempty (pool.chunk)
        pool.chunkFrom = pool.sent + 1;
        pool.sent = min (pool.sent + 4 * pool.workers, numel (pool.items));
        pool.chunk = parcellfun (pool.workers, pool.fun, pool.items(pool.chunkFrom:pool.sent), ...
                                 'UniformOutput', false, 'VerboseLevel', 0);
        pool.chunk = pool.chunk(:);
      end
      k = pool.chunkFrom;
      result = pool.chunk{1};
      pool.chunk(1) = [];
      pool.chunkFrom = pool.chunkFrom + 1;
    case 'matlab'
      while pool.sent < numel (pool.items) && pool.sent - pool.got < 4 * pool.workers
        pool.sent = pool.sent + 1;
        pool.futures(pool.sent) = parfeval (pool.pool, pool.fun, 1, pool.items{pool.sent});
      end
      [k, result] = fetchNext (pool.futures);
      pool.got = pool.got + 1;
  end
end

function used = startJob (fun, workers)
  used = feval ('__parcellfun_set_nproc_used__', workers);
  feval ('__parcellfun_initialize_job__', fun, pwd (), path (), 1);
end
